#include "dictmanager/GlossorText.h"

#include "platform/CurrentLanguage.h"

namespace dictmanager {

QString glossorText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("Glossor", key, builtIn);
}

} // namespace dictmanager
