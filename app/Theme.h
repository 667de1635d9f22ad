#pragma once

class QApplication;

// Applies the look "Metropolis UI Blue" carried inside the program; false
// when it cannot be read.
bool applyTheme(QApplication& app);
