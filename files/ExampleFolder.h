#pragma once
#include <QString>

namespace polyx {

// The worked example of the guide: a correspondent's dictionary, the user's
// own, a question list with information files and one letter in plain text
// and in RTF, shipped inside the program.
struct ExampleFiles {
    QString folder; // ends with "/"
    QString external;
    QString internal;
    QString letter;
};

// Makes `workDir` + "Exemple/" with the files of the example that are
// missing there; a file already there is never touched, so what the user
// changed in the example stays. Throws polyx::Error naming what could not be
// made.
ExampleFiles MakeExampleFolder(const QString& workDir);

} // namespace polyx
