#pragma once

#include <QLabel>
#include <QString>

namespace platform {

// Forms built in code name every control, since language files and tests find it by name.
template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QLabel *namedLabel(const char *name, const char *text)
{
    return named(new QLabel(QString::fromLatin1(text)), name);
}

} // namespace platform
