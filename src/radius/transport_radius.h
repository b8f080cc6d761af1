#pragma once

/* What the command-line clients need from the FreeRADIUS library: encoding and signing
 * requests, checking and decoding replies, and the
 * digests EAP needs. Plain C so that the C++ side never sees a FreeRADIUS header.
 * Every function that can fail copies the library's message into err at once. */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct pel_tr_pairs pel_tr_pairs;   /* an attribute list with its own memory */
typedef struct pel_tr_packet pel_tr_packet; /* an encoded request or a received reply */

/* The dictionary is loaded by radius::Dictionary. */

/* Attribute lists. Names are dictionary names. */
pel_tr_pairs *pel_tr_pairs_new(void);
/* A copy of a list read from a packet script file (radius::PairList). */
struct pr_pairs;
pel_tr_pairs *pel_tr_pairs_from_list(struct pr_pairs const *list);
pel_tr_pairs *pel_tr_pairs_copy(pel_tr_pairs const *pairs);
void pel_tr_pairs_free(pel_tr_pairs *pairs);
int pel_tr_pairs_count(pel_tr_pairs const *pairs);
/* 1 and *value when the attribute is there with an integer value, else 0. */
int pel_tr_pairs_integer(pel_tr_pairs const *pairs, char const *name, uint32_t *value);
/* Length of the first value of the attribute copied into buf (cut at cap), -1 when absent. */
int pel_tr_pairs_bytes(pel_tr_pairs const *pairs, char const *name, uint8_t *buf, size_t cap);
/* All values of the attribute joined (EAP-Message), -1 when absent. */
int pel_tr_pairs_joined(pel_tr_pairs const *pairs, char const *name, uint8_t *buf, size_t cap);
void pel_tr_pairs_remove(pel_tr_pairs *pairs, char const *name);
/* Appends an octets or string value. 0 on success. */
int pel_tr_pairs_add_bytes(pel_tr_pairs *pairs, char const *name, uint8_t const *data, size_t len,
                           char *err, size_t errlen);
/* Calls line() with "Name = value" for each pair in order. */
void pel_tr_pairs_print(pel_tr_pairs const *pairs, void (*line)(void *ctx, char const *text), void *ctx);

/* Builds a request: random authenticator, a copy of pairs, CHAP-Password encoded, a
 * Message-Authenticator added when add_message_authenticator is set; then encoded and
 * signed. NULL on failure. Digest-* are folded by the packet script reader already. */
pel_tr_packet *pel_tr_request_build(pel_tr_pairs const *pairs, int code, int id, char const *secret,
                                    int add_message_authenticator, char *err, size_t errlen);
/* Checks a received datagram's shape; NULL (err says why) when it is no RADIUS packet. */
pel_tr_packet *pel_tr_reply_parse(uint8_t const *data, size_t len, char *err, size_t errlen);
/* Verifies the reply's authenticators against the request and decodes its attributes.
 * 0 on success. */
int pel_tr_reply_verify(pel_tr_packet *reply, pel_tr_packet *request, char const *secret,
                        char *err, size_t errlen);
void pel_tr_packet_free(pel_tr_packet *packet);
int pel_tr_packet_code(pel_tr_packet const *packet);
int pel_tr_packet_id(pel_tr_packet const *packet);
uint8_t const *pel_tr_packet_data(pel_tr_packet const *packet, size_t *len);
/* The packet's attributes (the request's as sent, the reply's once verified). */
pel_tr_pairs const *pel_tr_packet_pairs(pel_tr_packet const *packet);

/* Name of a packet code ("Access-Request"), or NULL when it has none. */
char const *pel_tr_code_name(int code);

/* Digests. */
void pel_tr_md5(uint8_t out[16], uint8_t const *data, size_t len);
void pel_tr_sha1(uint8_t out[20], uint8_t const *data, size_t len);
void pel_tr_hmac_sha1(uint8_t out[20], uint8_t const *data, size_t len, uint8_t const *key, size_t keylen);
/* The SHA-1 compression of one zero-padded 64-octet block from the standard start state. */
void pel_tr_sha1_block(uint8_t out[20], uint8_t const block[64]);
void pel_tr_random(uint8_t *out, size_t len);

#ifdef __cplusplus
}
#endif
