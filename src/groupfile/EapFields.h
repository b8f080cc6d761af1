#pragma once

#include "taskstore/TaskEapSettings.h"

#include <QLatin1StringView>
#include <QString>

#include <array>

namespace groupfile {

// A task's TaskEapSettings value a group file carries, under "Eap" and its column's name;
// written only when it differs from the default, so that a file without these lines reads
// as the defaults and every other task's lines stay as they were.
struct EapField {
    QLatin1StringView name;
    QString taskstore::TaskEapSettings::*text = nullptr;
    bool taskstore::TaskEapSettings::*flag = nullptr;
};

// In the order they are written.
inline const std::array<EapField, 6> &eapFields()
{
    using E = taskstore::TaskEapSettings;
    static const std::array<EapField, 6> fields = {{
        {QLatin1StringView("EapAnonymousIdentity"), &E::AnonymousIdentity},
        {QLatin1StringView("EapInnerMethod"), &E::InnerMethod},
        {QLatin1StringView("EapCaFile"), &E::CaFile},
        {QLatin1StringView("EapVerifyServer"), nullptr, &E::VerifyServer},
        {QLatin1StringView("EapCertFile"), &E::CertFile},
        {QLatin1StringView("EapKeyFile"), &E::KeyFile},
    }};
    return fields;
}

} // namespace groupfile
