#pragma once
#include <QString>

namespace platform {

// The program's own full path; work files and the configuration file derive
// from it. Tests point it at a file in a fresh temporary folder.
QString programPath();
void setProgramPath(const QString& path);
// The program file's name without folder and last extension.
QString programName();

} // namespace platform
