#include "fr_internal.h"

#include <string.h>

pr_packet *pr_packet_new(int random_vector)
{
    pr_packet *packet = talloc_zero(NULL, pr_packet);
    if (!packet) return NULL;
    packet->packet = rad_alloc(packet, random_vector ? true : false);
    if (!packet->packet) {
        talloc_free(packet);
        return NULL;
    }
    packet->packet->id = -1;
    return packet;
}

void pr_packet_free(pr_packet *packet)
{
    if (!packet) return;
    rad_free(&packet->packet);
    talloc_free(packet);
}

void pr_packet_set_code(pr_packet *packet, unsigned int code) { packet->packet->code = code; }
unsigned int pr_packet_code(pr_packet const *packet) { return packet->packet->code; }
void pr_packet_set_id(pr_packet *packet, int id) { packet->packet->id = id; }
int pr_packet_id(pr_packet const *packet) { return packet->packet->id; }

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

uint16_t pr_packet_dst_port(pr_packet const *packet) { return packet->packet->dst_port; }

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
    if (take_pairs(packet, pairs, err, errlen) < 0) return -1;
    RADIUS_PACKET *p = packet->packet;
    if (rad_encode(p, NULL, secret) < 0 || rad_sign(p, NULL, secret) < 0) {
        pr_copy_error(err, errlen);
        return -1;
    }
    return 0;
}

uint8_t const *pr_packet_data(pr_packet const *packet, size_t *length)
{
    *length = packet->packet->data ? packet->packet->data_len : 0;
    return packet->packet->data;
}

int pr_packet_chap(pr_packet *packet, pr_pairs const *pairs, int id, char const *password,
                   uint8_t out[17], char *err, size_t errlen)
{
    if (take_pairs(packet, pairs, err, errlen) < 0) return -1;
    VALUE_PAIR *vp = fr_pair_afrom_num(packet, PW_CHAP_PASSWORD, 0);
    if (!vp) {
        pr_copy_error(err, errlen);
        return -1;
    }
    fr_pair_value_memcpy(vp, (uint8_t const *)password, strlen(password));
    int rcode = rad_chap_encode(packet->packet, out, id, vp);
    talloc_free(vp);
    if (rcode < 0) {
        pr_copy_error(err, errlen);
        return -1;
    }
    return 0;
}
