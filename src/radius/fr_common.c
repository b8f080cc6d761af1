#include "fr_internal.h"

#include <string.h>

void pr_set_error(char *err, size_t errlen, char const *text)
{
    if (!err || errlen == 0) return;
    strlcpy(err, text ? text : "", errlen);
}

void pr_copy_error(char *err, size_t errlen)
{
    pr_set_error(err, errlen, fr_strerror());
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
