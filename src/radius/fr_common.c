#include "fr_internal.h"

#include <string.h>

void pr_set_error(char *err, size_t errlen, char const *text)
{
    if (!err || errlen == 0)
        return;
    strlcpy(err, text ? text : "", errlen);
}

void pr_clear_error(void)
{
    fr_strerror_printf(NULL);
}

void pr_copy_error(char *err, size_t errlen, char const *fallback)
{
    char const *text = fr_strerror();
    pr_set_error(err, errlen, (text && *text) ? text : fallback);
}

void pr_fill_attr(DICT_ATTR const *da, pr_attr_info *out)
{
    out->number = da->attr;
    out->vendor = da->vendor;
    out->type = (da->type < PW_TYPE_MAX) ? (int)da->type : PR_TYPE_OTHER;
    out->has_tag = da->flags.has_tag ? 1 : 0;
    out->encrypt = da->flags.encrypt;
    strlcpy(out->name, da->name, sizeof(out->name));
}

char const *pr_code_name(unsigned int code)
{
    if (!is_radius_code(code))
        return NULL;
    char const *name = fr_packet_codes[code];
    return (name && *name) ? name : NULL;
}
