/* Our one C face of libfreeradius: dictionary, pairs, request encoding and signing, reply
 * checking and decoding, CHAP, EAP messages and digests. Plain C types only, so C++ can
 * include it; no other file calls the library. */
#pragma once

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Every failing call copies fr_strerror() into err at once, on the failing thread (it is
 * thread-local and overwritten by the next call); where the library leaves no text, err
 * says what failed. err may be NULL. */

enum pr_type {
    PR_TYPE_INVALID = 0,
    PR_TYPE_STRING,
    PR_TYPE_INTEGER,
    PR_TYPE_IPV4_ADDR,
    PR_TYPE_DATE,
    PR_TYPE_ABINARY,
    PR_TYPE_OCTETS,
    PR_TYPE_IFID,
    PR_TYPE_IPV6_ADDR,
    PR_TYPE_IPV6_PREFIX,
    PR_TYPE_BYTE,
    PR_TYPE_SHORT,
    PR_TYPE_ETHERNET,
    PR_TYPE_SIGNED,
    PR_TYPE_COMBO_IP_ADDR,
    PR_TYPE_TLV,
    PR_TYPE_EXTENDED,
    PR_TYPE_LONG_EXTENDED,
    PR_TYPE_EVS,
    PR_TYPE_INTEGER64,
    PR_TYPE_IPV4_PREFIX,
    PR_TYPE_VSA,
    PR_TYPE_TIMEVAL,
    PR_TYPE_BOOLEAN,
    PR_TYPE_COMBO_IP_PREFIX,
    PR_TYPE_OTHER
};

/* Comparison and assignment operators of an attribute-value line. */
enum pr_op {
    PR_OP_EQ = 0,
    PR_OP_ADD,
    PR_OP_SUB,
    PR_OP_SET,
    PR_OP_NE,
    PR_OP_GE,
    PR_OP_GT,
    PR_OP_LE,
    PR_OP_LT,
    PR_OP_REG_EQ,
    PR_OP_REG_NE,
    PR_OP_CMP_TRUE,
    PR_OP_CMP_FALSE,
    PR_OP_CMP_EQ
};

typedef struct pr_attr_info {
    unsigned int number;
    unsigned int vendor;
    int type; /* enum pr_type */
    int has_tag;
    int encrypt; /* hiding method, 0 none */
    char name[128];
} pr_attr_info;

/* Dictionary: process-global. */
int pr_dict_load(char const *dir, char const *file, char *err, size_t errlen);
void pr_dict_free(void);
/* Frees the dictionary and reads it again from dir/file. Refused (-2, the dictionary left
 * as it was) while pair lists or packets made from it are alive; -1 with the reason when
 * the files do not read, and then no dictionary is loaded. */
#define PR_DICT_REFUSED (-2)
int pr_dict_reload(char const *dir, char const *file, char *err, size_t errlen);
int pr_dict_attr_by_name(char const *name, pr_attr_info *out);
int pr_dict_attr_by_number(unsigned int number, unsigned int vendor, pr_attr_info *out);

/* Pair lists: an owned list of typed attribute-value pairs. */
typedef struct pr_pairs pr_pairs;

typedef struct pr_pair_view {
    pr_attr_info attr;
    int tag;
    uint64_t integer;    /* integer-like types */
    uint8_t const *data; /* value octets (string, octets, or the raw integer/address) */
    size_t length;
} pr_pair_view;

pr_pairs *pr_pairs_new(void);
void pr_pairs_free(pr_pairs *pairs);
pr_pairs *pr_pairs_copy(pr_pairs const *pairs);
/* name OP value, parsed by the attribute's dictionary type. */
int pr_pairs_add(pr_pairs *pairs, char const *name, char const *value, int op, char *err, size_t errlen);
/* "Attr = value, Attr2 = value" text through the library's own reader. */
int pr_pairs_add_text(pr_pairs *pairs, char const *text, char *err, size_t errlen);
/* Appends a text or octets attribute holding data as it stands. */
int pr_pairs_add_octets(pr_pairs *pairs, unsigned int number, unsigned int vendor, uint8_t const *data, size_t length,
                        char *err, size_t errlen);
size_t pr_pairs_count(pr_pairs const *pairs);
int pr_pairs_get(pr_pairs const *pairs, size_t index, pr_pair_view *out);
/* Value printed as the library prints it (unquoted). Returns the printed length. */
size_t pr_pairs_value_text(pr_pairs const *pairs, size_t index, char *out, size_t outlen);
/* "Name = value" as the library prints a pair. Returns the printed length. */
size_t pr_pairs_line(pr_pairs const *pairs, size_t index, char *out, size_t outlen);
int pr_pairs_set_value(pr_pairs *pairs, size_t index, char const *value, char *err, size_t errlen);
int pr_pairs_set_octets(pr_pairs *pairs, size_t index, uint8_t const *data, size_t length, char *err, size_t errlen);
/* Replaces the pair at index, in place, by an octets attribute holding data (refused for
 * other types). */
int pr_pairs_replace_octets(pr_pairs *pairs, size_t index, unsigned int number, unsigned int vendor,
                            uint8_t const *data, size_t length, char *err, size_t errlen);
int pr_pairs_remove(pr_pairs *pairs, size_t index);
/* Moves the pair at index to the head of the list. */
int pr_pairs_move_first(pr_pairs *pairs, size_t index);
/* Index of the first pair with that number and vendor, or -1. */
long pr_pairs_find(pr_pairs const *pairs, unsigned int number, unsigned int vendor);

/* Packets: a request encoded and signed here, or a received reply checked against its
 * request. Nothing is sent here. */
typedef struct pr_packet pr_packet;

pr_packet *pr_packet_new(int random_vector);
void pr_packet_free(pr_packet *packet);
void pr_packet_set_code(pr_packet *packet, unsigned int code);
unsigned int pr_packet_code(pr_packet const *packet);
void pr_packet_set_id(pr_packet *packet, int id);
int pr_packet_id(pr_packet const *packet);
void pr_packet_set_vector(pr_packet *packet, uint8_t const vector[16]);
void pr_packet_vector(pr_packet const *packet, uint8_t vector[16]);
void pr_packet_set_dst(pr_packet *packet, uint32_t ipv4_network_order, uint16_t port);
uint16_t pr_packet_dst_port(pr_packet const *packet);
/* Copies pairs into the packet, encodes and signs with secret. The only encoder. */
int pr_packet_encode(pr_packet *packet, pr_pairs const *pairs, char const *secret, char *err, size_t errlen);
uint8_t const *pr_packet_data(pr_packet const *packet, size_t *length);

/* A received datagram with the shape of a RADIUS packet (header, length field, attribute
 * lengths, Message-Authenticator where EAP needs one); NULL with the reason otherwise. */
pr_packet *pr_reply_parse(uint8_t const *data, size_t length, char *err, size_t errlen);
/* Checks the reply's Message-Authenticator and Response Authenticator against the request
 * (which must have been encoded), then decodes its attributes into a new list owned by
 * the caller. NULL with the reason when it does not verify. */
pr_pairs *pr_reply_verify(pr_packet *reply, pr_packet const *request, char const *secret, char *err, size_t errlen);
/* The name of a packet code ("Access-Request"), or NULL when it has none. */
char const *pr_code_name(unsigned int code);
/* The 17-octet CHAP response for password, with the packet's CHAP-Challenge in pairs, or
 * its authenticator when it has none. */
int pr_packet_chap(pr_packet *packet, pr_pairs const *pairs, int id, char const *password, uint8_t out[17], char *err,
                   size_t errlen);

/* EAP packets (RFC 3748). Success (3) and Failure (4) are the four-octet header alone;
 * every other code carries a type and its data. */
/* Writes the packet into out; returns its length, or 0 when it does not fit (or when data
 * is too long for the length field). */
size_t pr_eap_encode(unsigned int code, unsigned int id, unsigned int type, uint8_t const *data, size_t length,
                     uint8_t *out, size_t outlen);
typedef struct pr_eap_view {
    unsigned int code;
    unsigned int id;
    unsigned int type;   /* 0 for Success and Failure */
    uint8_t const *data; /* type data, inside the decoded octets */
    size_t length;
} pr_eap_view;
/* 0 when in holds a well-formed EAP packet (its length field within in); else -1 and why. */
int pr_eap_decode(uint8_t const *in, size_t length, pr_eap_view *out, char *err, size_t errlen);

/* Primitives. */
void pr_md5(uint8_t out[16], uint8_t const *in, size_t length);
void pr_hmac_md5(uint8_t out[16], uint8_t const *in, size_t length, uint8_t const *key, size_t keylen);
void pr_sha1(uint8_t out[20], uint8_t const *in, size_t length);
void pr_hmac_sha1(uint8_t out[20], uint8_t const *in, size_t length, uint8_t const *key, size_t keylen);
/* The SHA-1 compression of one zero-padded 64-octet block from the standard start state. */
void pr_sha1_block(uint8_t out[20], uint8_t const block[64]);
uint32_t pr_random(void);
int pr_ipv4_lookup(char const *host, uint32_t *ipv4_network_order, char *err, size_t errlen);

/* Decodes the one attribute at data (length: the octets left in the packet) by the loaded
 * dictionary as the library decodes a received packet: a Vendor-Specific into its vendor
 * attributes, TLVs into their parts, tags apart. With a secret, hidden values are revealed
 * with vector: a request's own authenticator (User-Password only), or for a reply its
 * request's. The library leaks on a Tunnel-Password that does not reveal, so a reply is
 * given the secret only once it verifies. Appends the pairs to out; returns the octets
 * consumed, or -1 and why. */
long pr_attr_decode(pr_pairs *out, unsigned int code, uint8_t const *data, size_t length, uint8_t const vector[16],
                    int reply, char const *secret, char *err, size_t errlen);

/* The address of an IPv4 or IPv6 literal or of a host name (IPv4 preferred), printed into
 * out as the library prints it ("::1"); ipv6 says which kind it is. */
int pr_ip_lookup(char const *host, char *out, size_t outlen, int *ipv6, char *err, size_t errlen);

#ifdef __cplusplus
}
#endif
