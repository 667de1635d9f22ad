#pragma once
#include <QString>

// Where the program's files live. The one place that tells an installed
// program from one started in its build folder, judged from where the
// executable stands: installed when its folder is named "bin" and the
// package's data folder "../share/polyxx/" exists beside it.
//
// Installed: work files in the user's documents folder + "PolyxX/", the
// configuration in the user's configuration folder + "PolyxX/"; nothing is
// ever written beside the program. In the build folder (a copied executable
// included): everything beside the program, or in the folder the variable
// POLYXX_WORK_FOLDER names when it is set (the shipped files stay beside the
// program). The user's folders come from Qt's standard paths, which follow
// the desktop's settings.
namespace platform {

bool runsInstalled();
// Ends with "/".
QString workFolder();
// The program's name with ".INI" in place of its last extension.
QString configFile();
// The files shipped with the program (revision notes); ends with "/".
QString dataFolder();
// Where unsaved pane contents wait for the next start after a crash:
// "~RECUPERATION/" in the work folder, or once installed the user's state
// folder ($XDG_STATE_HOME, else ~/.local/state) + "PolyxX/RECUPERATION/".
// Ends with "/"; not made here.
QString recoveryFolder();
// The user guide's pages and pictures: dataFolder() + "aide/".
QString guideFolder();
// Makes the work folder and the configuration file's folder; throws
// polyx::Error naming the first that cannot be made.
void createUserFolders();
// The programs folder of Wine's default prefix, where Windows software
// installs: "Program Files", or "Program Files (x86)" when only that one
// exists. Ends with "/".
QString windowsProgramsFolder();

} // namespace platform
