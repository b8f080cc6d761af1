/* EAP packets (RFC 3748): no library call, but here so that the clients and the raw
 * packet view compose them alike. */
#include "fr_internal.h"

#include <string.h>

#define PR_EAP_HEADER_LEN 4
#define PR_EAP_SUCCESS 3
#define PR_EAP_FAILURE 4

static int header_only(unsigned int code)
{
    return code == PR_EAP_SUCCESS || code == PR_EAP_FAILURE;
}

size_t pr_eap_encode(unsigned int code, unsigned int id, unsigned int type, uint8_t const *data, size_t length,
                     uint8_t *out, size_t outlen)
{
    code &= 0xff;
    size_t total = header_only(code) ? PR_EAP_HEADER_LEN : PR_EAP_HEADER_LEN + 1 + length;
    if (total > 0xffff || total > outlen)
        return 0;
    out[0] = (uint8_t)code;
    out[1] = (uint8_t)(id & 0xff);
    out[2] = (uint8_t)(total >> 8);
    out[3] = (uint8_t)(total & 0xff);
    if (!header_only(code)) {
        out[4] = (uint8_t)(type & 0xff);
        if (length)
            memcpy(out + 5, data, length);
    }
    return total;
}

int pr_eap_decode(uint8_t const *in, size_t length, pr_eap_view *out, char *err, size_t errlen)
{
    if (length < PR_EAP_HEADER_LEN) {
        pr_set_error(err, errlen, "EAP packet shorter than its 4-octet header");
        return -1;
    }
    size_t total = ((size_t)in[2] << 8) | in[3];
    if (total < PR_EAP_HEADER_LEN || total > length) {
        pr_set_error(err, errlen, "EAP length field does not match the octets received");
        return -1;
    }
    memset(out, 0, sizeof(*out));
    out->code = in[0];
    out->id = in[1];
    if (header_only(out->code))
        return 0;
    if (total < PR_EAP_HEADER_LEN + 1) {
        pr_set_error(err, errlen, "EAP packet without a type");
        return -1;
    }
    out->type = in[4];
    out->data = in + 5;
    out->length = total - 5;
    return 0;
}
