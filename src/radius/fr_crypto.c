#include "fr_internal.h"

#include <freeradius/md5.h>

void pr_md5(uint8_t out[16], uint8_t const *in, size_t length)
{
    fr_md5_calc(out, in, length);
}

void pr_hmac_md5(uint8_t out[16], uint8_t const *in, size_t length, uint8_t const *key, size_t keylen)
{
    fr_hmac_md5(out, in, length, key, keylen);
}

uint32_t pr_random(void)
{
    return fr_rand();
}

int pr_ipv4_lookup(char const *host, uint32_t *ipv4_network_order, char *err, size_t errlen)
{
    fr_ipaddr_t addr;
    if (ip_hton(&addr, AF_INET, host, false) < 0) {
        pr_copy_error(err, errlen);
        return -1;
    }
    *ipv4_network_order = addr.ipaddr.ip4addr.s_addr;
    return 0;
}
