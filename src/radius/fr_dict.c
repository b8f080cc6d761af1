#include "fr_internal.h"

#include <stdatomic.h>
#include <string.h>

static atomic_long holders;
/* The library's tables exist: a load was tried since the last free. */
static int tables_made;

void pr_dict_hold(void)
{
    atomic_fetch_add(&holders, 1);
}

void pr_dict_release(void)
{
    atomic_fetch_sub(&holders, 1);
}

/* The library's reader keeps two pointers into the dictionary between calls that
 * dict_free leaves dangling: dict_addvalue's last attribute and dict_addattr's last vendor.
 * The next load would read freed memory through them, and could take a freed attribute for
 * a value or a freed vendor for an attribute (seen as a crash). A lookup that finds nothing
 * sets each to NULL:
 * - a value for a name no attribute has (the next load drops its fixup record unfreed,
 *   144 bytes a reload);
 * - an attribute of a vendor number no vendor has, refused before anything is kept. */
static void forget_reader_caches(void)
{
    unsigned int vendor = FR_MAX_VENDOR - 2;
    ATTR_FLAGS flags;

    if (!tables_made)
        return;
    dict_addvalue("Pellion-Reload", "Pellion-Reload-No-Such-Attribute", 0);
    while (vendor > 1 && dict_vendorbyvalue((int)vendor))
        --vendor;
    memset(&flags, 0, sizeof flags);
    (void)dict_addattr("Pellion-Reload", 1, vendor, PW_TYPE_STRING, flags);
}

int pr_dict_load(char const *dir, char const *file, char *err, size_t errlen)
{
    /* dict_init frees whatever an earlier load left before it reads. */
    forget_reader_caches();
    pr_clear_error();
    tables_made = 1;
    if (dict_init(dir, file) < 0) {
        pr_copy_error(err, errlen, "Cannot read the dictionary");
        return -1;
    }
    return 0;
}

void pr_dict_free(void)
{
    forget_reader_caches();
    dict_free();
    tables_made = 0;
}

int pr_dict_reload(char const *dir, char const *file, char *err, size_t errlen)
{
    if (atomic_load(&holders) != 0) {
        pr_set_error(err, errlen, "pair lists made from the dictionary are still in use");
        return PR_DICT_REFUSED;
    }
    pr_dict_free();
    return pr_dict_load(dir, file, err, errlen);
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
