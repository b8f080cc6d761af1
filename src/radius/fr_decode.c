#include "fr_internal.h"

#include <string.h>

/* Whether the attribute's value, or the first vendor attribute it carries, is hidden by
 * the Tunnel-Password method, which only a reply's request reveals. */
static int tunnel_hidden(uint8_t const *data)
{
    DICT_ATTR const *da = NULL;
    if (data[0] == PW_VENDOR_SPECIFIC && data[1] >= 8) {
        unsigned int vendor =
            ((unsigned int)data[2] << 24) | ((unsigned int)data[3] << 16) | ((unsigned int)data[4] << 8) | data[5];
        da = dict_attrbyvalue(data[6], vendor);
    } else {
        da = dict_attrbyvalue(data[0], 0);
    }
    return da && da->flags.encrypt == FLAG_ENCRYPT_TUNNEL_PASSWORD;
}

/* The library reveals User-Password with original's authenticator, or the packet's own
 * without one; the other hiding methods need original. */
long pr_attr_decode(pr_pairs *out, unsigned int code, uint8_t const *data, size_t length, uint8_t const vector[16],
                    int reply, char const *secret, char *err, size_t errlen)
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

    /* In a request the library would try the packet's own authenticator, and leak its
     * digest state when that fails. */
    if (!reply && tunnel_hidden(data))
        secret = NULL;
    VALUE_PAIR *vps = NULL;
    pr_clear_error();
    ssize_t used = rad_attr2vp(out->ctx, packet, reply ? original : NULL, secret, data, data[1], &vps);
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
