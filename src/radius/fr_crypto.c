#include "fr_internal.h"

#include <freeradius/md5.h>
#include <freeradius/sha1.h>

void pr_md5(uint8_t out[16], uint8_t const *in, size_t length)
{
    fr_md5_calc(out, in, length);
}

void pr_hmac_md5(uint8_t out[16], uint8_t const *in, size_t length, uint8_t const *key, size_t keylen)
{
    fr_hmac_md5(out, in, length, key, keylen);
}

void pr_sha1(uint8_t out[20], uint8_t const *in, size_t length)
{
    fr_sha1_ctx ctx;
    fr_sha1_init(&ctx);
    fr_sha1_update(&ctx, in, length);
    fr_sha1_final(out, &ctx);
}

void pr_hmac_sha1(uint8_t out[20], uint8_t const *in, size_t length, uint8_t const *key, size_t keylen)
{
    fr_hmac_sha1(out, in, length, key, keylen);
}

void pr_sha1_block(uint8_t out[20], uint8_t const block[64])
{
    uint32_t state[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    fr_sha1_transform(state, block);
    for (size_t i = 0; i < 5; i++) {
        out[4 * i] = (uint8_t)(state[i] >> 24);
        out[4 * i + 1] = (uint8_t)(state[i] >> 16);
        out[4 * i + 2] = (uint8_t)(state[i] >> 8);
        out[4 * i + 3] = (uint8_t)state[i];
    }
}

uint32_t pr_random(void)
{
    return fr_rand();
}

int pr_ipv4_lookup(char const *host, uint32_t *ipv4_network_order, char *err, size_t errlen)
{
    fr_ipaddr_t addr;
    pr_clear_error();
    if (ip_hton(&addr, AF_INET, host, false) < 0) {
        pr_copy_error(err, errlen, "Cannot resolve the host");
        return -1;
    }
    *ipv4_network_order = addr.ipaddr.ip4addr.s_addr;
    return 0;
}
