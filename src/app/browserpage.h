#pragma once

namespace kansu {

class Form1;

// What the program asks of its surroundings, which differ when it runs as a
// page in a web browser; on the desktop each does what a desktop program does.

// The browser has no fontconfig: there the lesson's face comes with the
// program, and the toolkit is told about it before any window is made.
void addBundledFaces();

// Opens the lesson window: on the desktop where the window manager puts it;
// in a browser, whose toolkit would otherwise fill the page with it, as a
// normal window in the middle of the page.
void showLessonWindow(Form1& form);

// The last step of ending the program, once the window is hidden: on the
// desktop the event loop ends; in a browser, where no process ends, the page
// shows its end screen in the window's place.
void endApplication();

} // namespace kansu
