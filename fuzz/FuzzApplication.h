#pragma once
// The readers need a Qt application (fonts, codecs, collation) that lives
// for the whole fuzzing run.
#include <QByteArray>

template <typename Application>
void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static Application application(argc, argv);
}
