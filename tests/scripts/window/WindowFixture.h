#pragma once
// One window per test, in a folder of its own (program, configuration,
// work files) and with the desktop doubles.
#include "app/Unit1.h"
#include "dictionaries/DictionaryPane.h"
#include "platform/ProgramPath.h"
#include "platform/testing/FakeServices.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class WindowFixture {
public:
    WindowFixture() { platform::setProgramPath(m_dir.filePath("PolyxX")); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    // The configuration may be written before the window starts.
    TForm1& open()
    {
        m_form = std::make_unique<TForm1>();
        return *m_form;
    }

    platform::FakeServices fakes;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TForm1> m_form; // goes first, before the doubles
};

inline void setLines(DictionaryPane* pane, const QStringList& lines)
{
    pane->lines().ClearLines();
    for (const QString& line : lines)
        pane->lines().AddLine(line);
}
