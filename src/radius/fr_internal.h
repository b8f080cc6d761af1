/* Shared by the C files of this folder only: the library's headers and our structs. */
#pragma once

#include <freeradius/build.h>
#include <freeradius/libradius.h>

#include "fr_api.h"

struct pr_pairs {
    TALLOC_CTX *ctx;
    VALUE_PAIR *head;
};

struct pr_packet {
    RADIUS_PACKET *packet;
};

/* Forgets an earlier library message, so that the next failure's text is its own. */
void pr_clear_error(void);
/* The library's message of the call that just failed, or fallback when it left none. */
void pr_copy_error(char *err, size_t errlen, char const *fallback);
void pr_set_error(char *err, size_t errlen, char const *text);
void pr_fill_attr(DICT_ATTR const *da, pr_attr_info *out);

/* Pair lists and packets point into the dictionary: each one made holds it, each one freed
 * lets it go, and the dictionary is read again only when nothing holds it. */
void pr_dict_hold(void);
void pr_dict_release(void);
