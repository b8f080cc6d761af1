#include "fr_internal.h"

#include <string.h>

int pr_ip_lookup(char const *host, char *out, size_t outlen, int *ipv6, char *err, size_t errlen)
{
    fr_ipaddr_t addr;
    pr_clear_error();
    /* IPv4 first, as a name with both kinds of address is reached by IPv4 elsewhere. */
    if (ip_hton(&addr, AF_INET, host, true) < 0) {
        pr_copy_error(err, errlen, "Cannot resolve the host");
        return -1;
    }
    if (!ip_ntoh(&addr, out, outlen)) {
        pr_set_error(err, errlen, "Cannot print the address");
        return -1;
    }
    *ipv6 = addr.af == AF_INET6 ? 1 : 0;
    return 0;
}
