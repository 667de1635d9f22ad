#pragma once

class QApplication;

// Applies the look "Metropolis UI Blue": the Fusion style with a palette of
// our own. A palette, not a style sheet: a style sheet costs every widget a
// rule match at creation and doubled the time the window took to appear.
// False when the style is missing.
bool applyTheme(QApplication& app);
