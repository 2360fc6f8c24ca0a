#pragma once

namespace kansu {

class Form1;

// Makes every control of the window description on the window, at its
// designed place, with its caption, colours, font, accessible texts and
// place in the tab order, and the lines on the window and its surfaces.
void buildControls(Form1& form);

} // namespace kansu
