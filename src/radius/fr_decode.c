#include "fr_internal.h"

#include <string.h>

/* The library reveals hidden values with original's authenticator when it has one; the
 * same vector serves a request (its own) and a reply (its request's). */
long pr_attr_decode(pr_pairs *out, unsigned int code, uint8_t const *data, size_t length, uint8_t const vector[16],
                    char const *secret, char *err, size_t errlen)
{
    if (length < 2 || data[1] < 2 || data[1] > length) {
        pr_set_error(err, errlen, "The attribute does not fit in the octets given");
        return -1;
    }
    RADIUS_PACKET *packet = rad_alloc(NULL, false);
    RADIUS_PACKET *original = packet ? rad_alloc(packet, false) : NULL;
    if (!original) {
        talloc_free(packet);
        pr_set_error(err, errlen, "Out of memory");
        return -1;
    }
    packet->code = code;
    memcpy(packet->vector, vector, AUTH_VECTOR_LEN);
    memcpy(original->vector, vector, AUTH_VECTOR_LEN);

    VALUE_PAIR *vps = NULL;
    pr_clear_error();
    ssize_t used = rad_attr2vp(out->ctx, packet, secret ? original : NULL, secret, data, data[1], &vps);
    talloc_free(packet);
    if (used < 0) {
        pr_copy_error(err, errlen, "Cannot decode the attribute");
        return -1;
    }
    VALUE_PAIR **tail = &out->head;
    while (*tail)
        tail = &(*tail)->next;
    *tail = vps;
    return (long)used;
}
