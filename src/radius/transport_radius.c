#define _GNU_SOURCE
#include <freeradius/build.h>
#include <freeradius/libradius.h>
#include <freeradius/md5.h>
#include <freeradius/sha1.h>

#include <stdio.h>
#include <string.h>

#include "fr_internal.h"
#include "transport_radius.h"

#define PEL_TR_HEADER_LEN 20

struct pel_tr_pairs {
    VALUE_PAIR *vps;
};

struct pel_tr_packet {
    RADIUS_PACKET *packet;
    pel_tr_pairs view; /* mirrors packet->vps */
};

static void copy_text(char *err, size_t errlen, char const *text)
{
    if (err && errlen) snprintf(err, errlen, "%s", text ? text : "");
}

static void copy_library_error(char *err, size_t errlen)
{
    char const *text = fr_strerror();
    copy_text(err, errlen, (text && *text) ? text : "unknown error");
}

pel_tr_pairs *pel_tr_pairs_new(void)
{
    return talloc_zero(NULL, pel_tr_pairs);
}

pel_tr_pairs *pel_tr_pairs_from_list(struct pr_pairs const *list)
{
    pel_tr_pairs *copy = pel_tr_pairs_new();
    if (list) copy->vps = fr_pair_list_copy(copy, list->head);
    return copy;
}

pel_tr_pairs *pel_tr_pairs_copy(pel_tr_pairs const *pairs)
{
    pel_tr_pairs *copy = pel_tr_pairs_new();
    if (pairs) copy->vps = fr_pair_list_copy(copy, pairs->vps);
    return copy;
}

void pel_tr_pairs_free(pel_tr_pairs *pairs)
{
    talloc_free(pairs);
}

int pel_tr_pairs_count(pel_tr_pairs const *pairs)
{
    int count = 0;
    for (VALUE_PAIR const *vp = pairs ? pairs->vps : NULL; vp; vp = vp->next) count++;
    return count;
}

static VALUE_PAIR *find_by_name(pel_tr_pairs const *pairs, char const *name)
{
    DICT_ATTR const *da = dict_attrbyname(name);
    if (!da || !pairs) return NULL;
    return fr_pair_find_by_da(pairs->vps, da, TAG_ANY);
}

int pel_tr_pairs_integer(pel_tr_pairs const *pairs, char const *name, uint32_t *value)
{
    VALUE_PAIR *vp = find_by_name(pairs, name);
    if (!vp) return 0;
    switch (vp->da->type) {
    case PW_TYPE_BYTE: *value = vp->vp_byte; return 1;
    case PW_TYPE_SHORT: *value = vp->vp_short; return 1;
    case PW_TYPE_INTEGER: *value = vp->vp_integer; return 1;
    default: return 0;
    }
}

static int value_bytes(VALUE_PAIR const *vp, uint8_t *buf, size_t cap)
{
    if (vp->da->type == PW_TYPE_STRING || vp->da->type == PW_TYPE_OCTETS) {
        size_t n = vp->vp_length < cap ? vp->vp_length : cap;
        if (n) memcpy(buf, vp->vp_octets, n);
        return (int)n;
    }
    char text[1024];
    size_t n = vp_prints_value(text, sizeof(text), vp, 0);
    if (n > cap) n = cap;
    memcpy(buf, text, n);
    return (int)n;
}

int pel_tr_pairs_bytes(pel_tr_pairs const *pairs, char const *name, uint8_t *buf, size_t cap)
{
    VALUE_PAIR *vp = find_by_name(pairs, name);
    return vp ? value_bytes(vp, buf, cap) : -1;
}

int pel_tr_pairs_joined(pel_tr_pairs const *pairs, char const *name, uint8_t *buf, size_t cap)
{
    DICT_ATTR const *da = dict_attrbyname(name);
    int total = -1;
    if (!da || !pairs) return -1;
    for (VALUE_PAIR const *vp = pairs->vps; vp; vp = vp->next) {
        if (vp->da != da) continue;
        if (total < 0) total = 0;
        total += value_bytes(vp, buf + total, cap - (size_t)total);
    }
    return total;
}

void pel_tr_pairs_remove(pel_tr_pairs *pairs, char const *name)
{
    DICT_ATTR const *da = dict_attrbyname(name);
    if (da && pairs) fr_pair_delete_by_num(&pairs->vps, da->attr, da->vendor, TAG_ANY);
}

int pel_tr_pairs_add_bytes(pel_tr_pairs *pairs, char const *name, uint8_t const *data, size_t len,
                           char *err, size_t errlen)
{
    DICT_ATTR const *da = dict_attrbyname(name);
    if (!da) {
        snprintf(err, errlen, "Unknown name \"%s\"", name);
        return -1;
    }
    VALUE_PAIR *vp = fr_pair_afrom_da(pairs, da);
    if (!vp) {
        copy_library_error(err, errlen);
        return -1;
    }
    if (da->type == PW_TYPE_STRING)
        fr_pair_value_bstrncpy(vp, data, len);
    else
        fr_pair_value_memcpy(vp, data, len);
    fr_pair_add(&pairs->vps, vp);
    return 0;
}

void pel_tr_pairs_print(pel_tr_pairs const *pairs, void (*line)(void *ctx, char const *text), void *ctx)
{
    char text[2048];
    for (VALUE_PAIR const *vp = pairs ? pairs->vps : NULL; vp; vp = vp->next) {
        vp_prints(text, sizeof(text), vp);
        line(ctx, text);
    }
}

static pel_tr_packet *wrap_packet(RADIUS_PACKET **out)
{
    pel_tr_packet *wrapper = talloc_zero(NULL, pel_tr_packet);
    wrapper->packet = rad_alloc(wrapper, false);
    *out = wrapper->packet;
    return wrapper;
}

pel_tr_packet *pel_tr_request_build(pel_tr_pairs const *pairs, int code, int id, char const *secret,
                                    int add_message_authenticator, char *err, size_t errlen)
{
    pel_tr_packet *wrapper = talloc_zero(NULL, pel_tr_packet);
    RADIUS_PACKET *packet = rad_alloc(wrapper, true);
    wrapper->packet = packet;
    packet->code = (unsigned int)code;
    packet->id = id & 0xff;
    packet->vps = pairs ? fr_pair_list_copy(packet, pairs->vps) : NULL;

    if (add_message_authenticator && !fr_pair_find_by_num(packet->vps, PW_MESSAGE_AUTHENTICATOR, 0, TAG_ANY)) {
        VALUE_PAIR *vp = fr_pair_afrom_num(packet, PW_MESSAGE_AUTHENTICATOR, 0);
        uint8_t zero[AUTH_VECTOR_LEN] = {0};
        fr_pair_value_memcpy(vp, zero, sizeof(zero));
        fr_pair_add(&packet->vps, vp);
    }

    VALUE_PAIR *chap = fr_pair_find_by_num(packet->vps, PW_CHAP_PASSWORD, 0, TAG_ANY);
    if (chap) {
        uint8_t response[1 + AUTH_VECTOR_LEN];
        rad_chap_encode(packet, response, packet->id, chap);
        fr_pair_value_memcpy(chap, response, sizeof(response));
    }

    fr_strerror_printf("%s", "");
    if (rad_encode(packet, NULL, secret) < 0 || rad_sign(packet, NULL, secret) < 0) {
        copy_library_error(err, errlen);
        talloc_free(wrapper);
        return NULL;
    }
    wrapper->view.vps = packet->vps;
    return wrapper;
}

pel_tr_packet *pel_tr_reply_parse(uint8_t const *data, size_t len, char *err, size_t errlen)
{
    RADIUS_PACKET *packet;
    pel_tr_packet *wrapper = wrap_packet(&packet);
    decode_fail_t reason = DECODE_FAIL_NONE;

    packet->src_ipaddr.af = AF_INET;
    packet->data = talloc_memdup(packet, data, len);
    packet->data_len = len;
    fr_strerror_printf("%s", "");
    if (len < PEL_TR_HEADER_LEN || !rad_packet_ok(packet, 0, &reason)) {
        if (len < PEL_TR_HEADER_LEN)
            copy_text(err, errlen, "packet shorter than a RADIUS header");
        else
            copy_library_error(err, errlen);
        talloc_free(wrapper);
        return NULL;
    }
    packet->code = data[0];
    packet->id = data[1];
    memcpy(packet->vector, data + 4, AUTH_VECTOR_LEN);
    return wrapper;
}

int pel_tr_reply_verify(pel_tr_packet *reply, pel_tr_packet *request, char const *secret,
                        char *err, size_t errlen)
{
    fr_strerror_printf("%s", "");
    if (rad_verify(reply->packet, request->packet, secret) < 0 ||
        rad_decode(reply->packet, request->packet, secret) < 0) {
        copy_library_error(err, errlen);
        return -1;
    }
    reply->view.vps = reply->packet->vps;
    return 0;
}

void pel_tr_packet_free(pel_tr_packet *packet)
{
    talloc_free(packet);
}

int pel_tr_packet_code(pel_tr_packet const *packet)
{
    return (int)packet->packet->code;
}

int pel_tr_packet_id(pel_tr_packet const *packet)
{
    return packet->packet->id;
}

uint8_t const *pel_tr_packet_data(pel_tr_packet const *packet, size_t *len)
{
    *len = packet->packet->data_len;
    return packet->packet->data;
}

pel_tr_pairs const *pel_tr_packet_pairs(pel_tr_packet const *packet)
{
    return &packet->view;
}

char const *pel_tr_code_name(int code)
{
    if (!is_radius_code(code)) return NULL;
    char const *name = fr_packet_codes[code];
    return (name && *name) ? name : NULL;
}

void pel_tr_md5(uint8_t out[16], uint8_t const *data, size_t len)
{
    fr_md5_calc(out, data, len);
}

void pel_tr_sha1(uint8_t out[20], uint8_t const *data, size_t len)
{
    fr_sha1_ctx ctx;
    fr_sha1_init(&ctx);
    fr_sha1_update(&ctx, data, len);
    fr_sha1_final(out, &ctx);
}

void pel_tr_hmac_sha1(uint8_t out[20], uint8_t const *data, size_t len, uint8_t const *key, size_t keylen)
{
    fr_hmac_sha1(out, data, len, key, keylen);
}

void pel_tr_sha1_block(uint8_t out[20], uint8_t const block[64])
{
    uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    fr_sha1_transform(state, block);
    for (int i = 0; i < 5; i++) {
        out[4 * i] = (uint8_t)(state[i] >> 24);
        out[4 * i + 1] = (uint8_t)(state[i] >> 16);
        out[4 * i + 2] = (uint8_t)(state[i] >> 8);
        out[4 * i + 3] = (uint8_t)state[i];
    }
}

void pel_tr_random(uint8_t *out, size_t len)
{
    for (size_t i = 0; i < len; i += 4) {
        uint32_t r = fr_rand();
        size_t n = len - i < 4 ? len - i : 4;
        memcpy(out + i, &r, n);
    }
}
