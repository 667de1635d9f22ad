#pragma once
// One window per test, in a work folder of its own and with the desktop
// doubles.
#include "WorkFolder.h"

#include "app/Unit1.h"
#include "platform/testing/FakeServices.h"

#include <memory>

class WindowFixture {
public:
    QString path(const QString& name) const { return folder.filePath(name); }
    // The configuration may be written before the window starts.
    TForm1& open();

    WorkFolder folder;
    platform::FakeServices fakes;

private:
    std::unique_ptr<TForm1> m_form; // goes first, before the doubles
};
