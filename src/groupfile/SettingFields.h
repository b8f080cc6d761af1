#pragma once

#include "taskstore/TaskEapSettings.h"
#include "taskstore/TaskTransport.h"

#include <QLatin1StringView>
#include <QString>

#include <array>

namespace groupfile {

// A value of one of a task's setting rows (TaskTransport, TaskEapSettings) a group file
// carries, under a prefix and its column's name; written only when it differs from the
// default, so that a file without these lines reads as the defaults and every other
// task's lines stay as they were.
template <typename Settings>
struct SettingField {
    QLatin1StringView name;
    QString Settings::*text = nullptr;
    bool Settings::*flag = nullptr;
};

// In the order they are written.
inline const std::array<SettingField<taskstore::TaskTransport>, 6> &transportFields()
{
    using T = taskstore::TaskTransport;
    static const std::array<SettingField<T>, 6> fields = {{
        {QLatin1StringView("TransportProtocol"), &T::Protocol},
        {QLatin1StringView("TransportCaFile"), &T::CaFile},
        {QLatin1StringView("TransportCertFile"), &T::CertFile},
        {QLatin1StringView("TransportKeyFile"), &T::KeyFile},
        {QLatin1StringView("TransportMessageAuthenticatorFirst"), nullptr, &T::MessageAuthenticatorFirst},
        {QLatin1StringView("TransportRequireMessageAuthenticator"), nullptr, &T::RequireMessageAuthenticator},
    }};
    return fields;
}

inline const std::array<SettingField<taskstore::TaskEapSettings>, 6> &eapFields()
{
    using E = taskstore::TaskEapSettings;
    static const std::array<SettingField<E>, 6> fields = {{
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
