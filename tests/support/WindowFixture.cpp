#include "WindowFixture.h"

TForm1& WindowFixture::open()
{
    m_form = std::make_unique<TForm1>();
    return *m_form;
}
