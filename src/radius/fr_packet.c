#include "fr_internal.h"

#include <freeradius/md5.h>

#include <stdio.h>
#include <string.h>

#define PR_HEADER_LEN 20 /* code, identifier, length, authenticator */

pr_packet *pr_packet_new(int random_vector)
{
    pr_packet *packet = talloc_zero(NULL, pr_packet);
    if (!packet)
        return NULL;
    packet->packet = rad_alloc(packet, random_vector ? true : false);
    if (!packet->packet) {
        talloc_free(packet);
        return NULL;
    }
    packet->packet->id = -1;
    pr_dict_hold();
    return packet;
}

void pr_packet_free(pr_packet *packet)
{
    if (!packet)
        return;
    pr_dict_release();
    rad_free(&packet->packet);
    talloc_free(packet);
}

void pr_packet_set_code(pr_packet *packet, unsigned int code)
{
    packet->packet->code = code;
}
unsigned int pr_packet_code(pr_packet const *packet)
{
    return packet->packet->code;
}
void pr_packet_set_id(pr_packet *packet, int id)
{
    packet->packet->id = id;
}
int pr_packet_id(pr_packet const *packet)
{
    return packet->packet->id;
}

void pr_packet_set_vector(pr_packet *packet, uint8_t const vector[16])
{
    memcpy(packet->packet->vector, vector, AUTH_VECTOR_LEN);
}

void pr_packet_vector(pr_packet const *packet, uint8_t vector[16])
{
    memcpy(vector, packet->packet->vector, AUTH_VECTOR_LEN);
}

void pr_packet_set_dst(pr_packet *packet, uint32_t ipv4_network_order, uint16_t port)
{
    packet->packet->dst_ipaddr.af = AF_INET;
    packet->packet->dst_ipaddr.ipaddr.ip4addr.s_addr = ipv4_network_order;
    packet->packet->dst_ipaddr.prefix = 32;
    packet->packet->dst_port = port;
}

uint16_t pr_packet_dst_port(pr_packet const *packet)
{
    return packet->packet->dst_port;
}

/* The packet's own list becomes a copy of pairs; earlier octets are dropped. */
static int take_pairs(pr_packet *packet, pr_pairs const *pairs, char *err, size_t errlen)
{
    RADIUS_PACKET *p = packet->packet;
    fr_pair_list_free(&p->vps);
    if (pairs && pairs->head) {
        p->vps = fr_pair_list_copy(p, pairs->head);
        if (!p->vps) {
            pr_set_error(err, errlen, "Out of memory");
            return -1;
        }
    }
    TALLOC_FREE(p->data);
    p->data_len = 0;
    return 0;
}

int pr_packet_encode(pr_packet *packet, pr_pairs const *pairs, char const *secret, char *err, size_t errlen)
{
    if (take_pairs(packet, pairs, err, errlen) < 0)
        return -1;
    RADIUS_PACKET *p = packet->packet;
    pr_clear_error();
    if (rad_encode(p, NULL, secret) < 0) {
        pr_copy_error(err, errlen, "Cannot encode the packet");
        return -1;
    }
    if (rad_sign(p, NULL, secret) < 0) {
        pr_copy_error(err, errlen, "Cannot sign the packet");
        return -1;
    }
    return 0;
}

uint8_t const *pr_packet_data(pr_packet const *packet, size_t *length)
{
    *length = packet->packet->data ? packet->packet->data_len : 0;
    return packet->packet->data;
}

int pr_packet_chap(pr_packet *packet, pr_pairs const *pairs, int id, char const *password, uint8_t out[17], char *err,
                   size_t errlen)
{
    if (take_pairs(packet, pairs, err, errlen) < 0)
        return -1;
    pr_clear_error();
    VALUE_PAIR *vp = fr_pair_afrom_num(packet, PW_CHAP_PASSWORD, 0);
    if (!vp) {
        pr_copy_error(err, errlen, "No CHAP-Password in the dictionary");
        return -1;
    }
    fr_pair_value_memcpy(vp, (uint8_t const *)password, strlen(password));
    int rcode = rad_chap_encode(packet->packet, out, id, vp);
    talloc_free(vp);
    if (rcode < 0) {
        pr_copy_error(err, errlen, "Cannot compute the CHAP response");
        return -1;
    }
    return 0;
}

/* rad_packet_ok leaves no text outside debug builds: its reason code says what was wrong. */
static void describe_malformed(decode_fail_t reason, uint8_t const *data, size_t length, char *err, size_t errlen)
{
    char text[160];
    unsigned int field = length >= 4 ? ((unsigned int)data[2] << 8) | data[3] : 0;
    switch (reason) {
    case DECODE_FAIL_MIN_LENGTH_PACKET:
        snprintf(text, sizeof(text), "%zu octets, shorter than the 20-octet RADIUS header", length);
        break;
    case DECODE_FAIL_MIN_LENGTH_FIELD:
        snprintf(text, sizeof(text), "length field %u is below the 20-octet header", field);
        break;
    case DECODE_FAIL_MIN_LENGTH_MISMATCH:
        snprintf(text, sizeof(text), "length field %u is larger than the %zu octets received", field, length);
        break;
    case DECODE_FAIL_HEADER_OVERFLOW:
        snprintf(text, sizeof(text), "length field %u is larger than the RADIUS maximum of 4096", field);
        break;
    case DECODE_FAIL_UNKNOWN_PACKET_CODE:
        snprintf(text, sizeof(text), "unknown packet code %u", length ? data[0] : 0u);
        break;
    case DECODE_FAIL_INVALID_ATTRIBUTE: snprintf(text, sizeof(text), "an attribute has the invalid type 0"); break;
    case DECODE_FAIL_ATTRIBUTE_TOO_SHORT: snprintf(text, sizeof(text), "an attribute's length is below 2"); break;
    case DECODE_FAIL_ATTRIBUTE_OVERFLOW:
        snprintf(text, sizeof(text), "an attribute's length runs past the length field");
        break;
    case DECODE_FAIL_ATTRIBUTE_UNDERFLOW:
        snprintf(text, sizeof(text), "the attributes do not end at the length field");
        break;
    case DECODE_FAIL_MA_INVALID_LENGTH:
        snprintf(text, sizeof(text), "Message-Authenticator whose length is not 18");
        break;
    case DECODE_FAIL_TOO_MANY_ATTRIBUTES:
        snprintf(text, sizeof(text), "more attributes than the library accepts");
        break;
    case DECODE_FAIL_MA_MISSING: snprintf(text, sizeof(text), "EAP-Message without a Message-Authenticator"); break;
    case DECODE_FAIL_TOO_MANY_AUTH: snprintf(text, sizeof(text), "more than one authentication attribute"); break;
    default: snprintf(text, sizeof(text), "not a RADIUS packet (reason %d)", (int)reason); break;
    }
    pr_set_error(err, errlen, text);
}

pr_packet *pr_reply_parse(uint8_t const *data, size_t length, char *err, size_t errlen)
{
    decode_fail_t reason = DECODE_FAIL_NONE;
    if (length < PR_HEADER_LEN) {
        describe_malformed(DECODE_FAIL_MIN_LENGTH_PACKET, data, length, err, errlen);
        return NULL;
    }
    pr_packet *reply = pr_packet_new(0);
    if (!reply) {
        pr_set_error(err, errlen, "Out of memory");
        return NULL;
    }
    RADIUS_PACKET *p = reply->packet;
    p->data = talloc_memdup(p, data, length);
    if (!p->data) {
        pr_packet_free(reply);
        pr_set_error(err, errlen, "Out of memory");
        return NULL;
    }
    p->data_len = length;
    p->src_ipaddr.af = AF_INET;
    if (!rad_packet_ok(p, 0, &reason)) {
        describe_malformed(reason, data, length, err, errlen);
        pr_packet_free(reply);
        return NULL;
    }
    p->code = data[0];
    p->id = data[1];
    memcpy(p->vector, data + 4, AUTH_VECTOR_LEN);
    return reply;
}

/* Offset of the reply's Message-Authenticator value, or 0 when it has none (the shape was
 * checked by pr_reply_parse). */
static size_t message_authenticator_at(RADIUS_PACKET const *p)
{
    size_t at = PR_HEADER_LEN;
    while (at + 2 <= p->data_len && p->data[at + 1] >= 2) {
        if (p->data[at] == PW_MESSAGE_AUTHENTICATOR && p->data[at + 1] == 2 + AUTH_VECTOR_LEN)
            return at + 2;
        at += p->data[at + 1];
    }
    return 0;
}

/* Our own checks first, so that the reason names the authenticator at fault and nothing
 * else: the library's texts name no real address. */
static char const *authenticator_fault(RADIUS_PACKET const *p, RADIUS_PACKET const *request, char const *secret)
{
    size_t secret_len = strlen(secret);
    uint8_t *copy = talloc_array(NULL, uint8_t, p->data_len + secret_len);
    if (!copy)
        return "Out of memory";
    memcpy(copy, p->data, p->data_len);
    memcpy(copy + 4, request->vector, AUTH_VECTOR_LEN);
    char const *fault = NULL;
    size_t ma = message_authenticator_at(p);
    if (ma) {
        uint8_t digest[AUTH_VECTOR_LEN];
        memset(copy + ma, 0, AUTH_VECTOR_LEN);
        fr_hmac_md5(digest, copy, p->data_len, (uint8_t const *)secret, secret_len);
        if (memcmp(digest, p->data + ma, AUTH_VECTOR_LEN) != 0)
            fault = "invalid Message-Authenticator";
        memcpy(copy + ma, p->data + ma, AUTH_VECTOR_LEN);
    }
    if (!fault) {
        uint8_t digest[AUTH_VECTOR_LEN];
        memcpy(copy + p->data_len, secret, secret_len);
        fr_md5_calc(digest, copy, p->data_len + secret_len);
        if (memcmp(digest, p->data + 4, AUTH_VECTOR_LEN) != 0)
            fault = "invalid Response Authenticator";
    }
    talloc_free(copy);
    return fault;
}

pr_pairs *pr_reply_verify(pr_packet *reply, pr_packet const *request, char const *secret, char *err, size_t errlen)
{
    RADIUS_PACKET *p = reply->packet;
    RADIUS_PACKET *original = request->packet;
    if (!original->data) {
        pr_set_error(err, errlen, "The request was never encoded");
        return NULL;
    }
    char const *fault = authenticator_fault(p, original, secret);
    if (fault) {
        pr_set_error(err, errlen, fault);
        return NULL;
    }
    pr_clear_error();
    if (rad_verify(p, original, secret) < 0) {
        pr_copy_error(err, errlen, "The reply does not verify");
        return NULL;
    }
    if (rad_decode(p, original, secret) < 0) {
        pr_copy_error(err, errlen, "Cannot decode the reply's attributes");
        return NULL;
    }
    pr_pairs *pairs = pr_pairs_new();
    if (!pairs) {
        pr_set_error(err, errlen, "Out of memory");
        return NULL;
    }
    if (p->vps) {
        pairs->head = fr_pair_list_copy(pairs->ctx, p->vps);
        if (!pairs->head) {
            pr_pairs_free(pairs);
            pr_set_error(err, errlen, "Out of memory");
            return NULL;
        }
    }
    return pairs;
}
