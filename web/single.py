#!/usr/bin/env python3
"""Writes the lesson as one HTML file with everything inside, for a USB
stick, a shared drive or an attachment: opened from the disk (file://),
where a browser fetches nothing beside the page.

The program (kansu.js and kansu.wasm) goes into the page as base64, and
the page answers the loader's two fetches of them from there; the loader
and the icon go in as they are. What only a served site has (the worker
that keeps it offline, the manifest) stays out.

Usage: single.py SITE-FOLDER OUTPUT-FILE
"""

import base64
import sys


def main():
    site, output = sys.argv[1], sys.argv[2]

    def read(name, mode="r"):
        with open(f"{site}/{name}", mode) as f:
            return f.read()

    page = read("kansu.html")
    loader = read("qtloader.js")
    if "</script" in loader:
        sys.exit("qtloader.js holds a closing script tag: it cannot be inlined")
    program = {name: base64.b64encode(read(name, "rb")).decode("ascii")
               for name in ("kansu.js", "kansu.wasm")}
    icon = base64.b64encode(read("icon.svg", "rb")).decode("ascii")

    head_start = page.index('    <link rel="icon"')
    head_end = page.index('    <style>')
    page = (page[:head_start] +
            f'    <link rel="icon" href="data:image/svg+xml;base64,{icon}">\n' +
            page[head_end:])

    embedded = f"""    <script>
      // The program inside the page: the loader's fetches of it are answered
      // from here, so that the page needs no server and no network.
      const kansuEmbedded = {{
        'kansu.js': ['text/javascript', '{program["kansu.js"]}'],
        'kansu.wasm': ['application/wasm', '{program["kansu.wasm"]}'],
      }};
      const fetchFromNetwork = window.fetch.bind(window);
      window.fetch = (resource, options) => {{
        const name = String(resource.url || resource).split('/').pop();
        const inside = kansuEmbedded[name];
        if (!inside)
          return fetchFromNetwork(resource, options);
        const text = atob(inside[1]);
        const bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i)
          bytes[i] = text.charCodeAt(i);
        return Promise.resolve(new Response(bytes, {{ headers: {{ 'Content-Type': inside[0] }} }}));
      }};
    </script>
    <script>
{loader}
    </script>
"""
    tag = '    <script src="qtloader.js"></script>\n'
    if tag not in page:
        sys.exit("kansu.html does not load qtloader.js as expected")
    page = page.replace(tag, embedded)
    with open(output, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    main()
