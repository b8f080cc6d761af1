#include "fr_internal.h"

int pr_dict_load(char const *dir, char const *file, char *err, size_t errlen)
{
    pr_clear_error();
    if (dict_init(dir, file) < 0) {
        pr_copy_error(err, errlen, "Cannot read the dictionary");
        return -1;
    }
    return 0;
}

void pr_dict_free(void)
{
    dict_free();
}

int pr_dict_attr_by_name(char const *name, pr_attr_info *out)
{
    DICT_ATTR const *da = dict_attrbyname(name);
    if (!da)
        return -1;
    pr_fill_attr(da, out);
    return 0;
}

int pr_dict_attr_by_number(unsigned int number, unsigned int vendor, pr_attr_info *out)
{
    DICT_ATTR const *da = dict_attrbyvalue(number, vendor);
    if (!da)
        return -1;
    pr_fill_attr(da, out);
    return 0;
}
