#include "fr_internal.h"

#include <string.h>

static FR_TOKEN to_token(int op)
{
    switch (op) {
    case PR_OP_ADD: return T_OP_ADD;
    case PR_OP_SUB: return T_OP_SUB;
    case PR_OP_SET: return T_OP_SET;
    case PR_OP_NE: return T_OP_NE;
    case PR_OP_GE: return T_OP_GE;
    case PR_OP_GT: return T_OP_GT;
    case PR_OP_LE: return T_OP_LE;
    case PR_OP_LT: return T_OP_LT;
    case PR_OP_REG_EQ: return T_OP_REG_EQ;
    case PR_OP_REG_NE: return T_OP_REG_NE;
    case PR_OP_CMP_TRUE: return T_OP_CMP_TRUE;
    case PR_OP_CMP_FALSE: return T_OP_CMP_FALSE;
    case PR_OP_CMP_EQ: return T_OP_CMP_EQ;
    default: return T_OP_EQ;
    }
}

static VALUE_PAIR **slot_at(VALUE_PAIR **head, size_t index)
{
    VALUE_PAIR **slot = head;
    while (*slot && index > 0) {
        slot = &(*slot)->next;
        --index;
    }
    return *slot ? slot : NULL;
}

static VALUE_PAIR *pair_at(pr_pairs const *pairs, size_t index)
{
    VALUE_PAIR *vp = pairs->head;
    while (vp && index > 0) {
        vp = vp->next;
        --index;
    }
    return vp;
}

static void append(pr_pairs *pairs, VALUE_PAIR *vp)
{
    VALUE_PAIR **tail = &pairs->head;
    while (*tail)
        tail = &(*tail)->next;
    *tail = vp;
}

pr_pairs *pr_pairs_new(void)
{
    pr_pairs *pairs = talloc_zero(NULL, pr_pairs);
    if (!pairs)
        return NULL;
    pr_dict_hold();
    pairs->ctx = pairs;
    return pairs;
}

void pr_pairs_free(pr_pairs *pairs)
{
    if (pairs)
        pr_dict_release();
    talloc_free(pairs);
}

pr_pairs *pr_pairs_copy(pr_pairs const *pairs)
{
    pr_pairs *copy = pr_pairs_new();
    if (!copy)
        return NULL;
    if (pairs->head) {
        copy->head = fr_pair_list_copy(copy->ctx, pairs->head);
        if (!copy->head) {
            pr_pairs_free(copy);
            return NULL;
        }
    }
    return copy;
}

/* The library's string parser would undo backslash escapes a second time (and refuse a
 * trailing backslash), so a text value is copied as it stands. */
static VALUE_PAIR *make_text_pair(TALLOC_CTX *ctx, char const *name, char const *value, FR_TOKEN op)
{
    if (!value || op == T_OP_REG_EQ || op == T_OP_REG_NE || op == T_OP_CMP_TRUE || op == T_OP_CMP_FALSE)
        return NULL;
    VALUE_PAIR *vp = fr_pair_make(ctx, NULL, name, NULL, op);
    if (!vp)
        return NULL;
    if (vp->da->type != PW_TYPE_STRING || (value[0] == ':' && vp->da->flags.has_tag)) {
        talloc_free(vp);
        return NULL;
    }
    fr_pair_value_bstrncpy(vp, value, strlen(value));
    return vp;
}

int pr_pairs_add(pr_pairs *pairs, char const *name, char const *value, int op, char *err, size_t errlen)
{
    pr_clear_error();
    VALUE_PAIR *vp = make_text_pair(pairs->ctx, name, value, to_token(op));
    if (!vp)
        vp = fr_pair_make(pairs->ctx, NULL, name, value, to_token(op));
    if (!vp) {
        pr_copy_error(err, errlen, "Cannot make the attribute");
        return -1;
    }
    append(pairs, vp);
    return 0;
}

int pr_pairs_add_text(pr_pairs *pairs, char const *text, char *err, size_t errlen)
{
    VALUE_PAIR *list = NULL;
    pr_clear_error();
    if (fr_pair_list_afrom_str(pairs->ctx, text, &list) == T_INVALID) {
        pr_copy_error(err, errlen, "Cannot read the attribute list");
        fr_pair_list_free(&list);
        return -1;
    }
    if (list)
        append(pairs, list);
    return 0;
}

/* allow_text: a text attribute takes the octets as they stand, too. */
static VALUE_PAIR *make_octets_pair(TALLOC_CTX *ctx, unsigned int number, unsigned int vendor, uint8_t const *data,
                                    size_t length, int allow_text, char *err, size_t errlen)
{
    pr_clear_error();
    VALUE_PAIR *vp = fr_pair_afrom_num(ctx, number, vendor);
    if (!vp) {
        pr_copy_error(err, errlen, "Cannot make the attribute");
        return NULL;
    }
    if (allow_text && vp->da->type == PW_TYPE_STRING) {
        fr_pair_value_bstrncpy(vp, data, length);
    } else if (vp->da->type == PW_TYPE_OCTETS) {
        fr_pair_value_memcpy(vp, data, length);
    } else {
        talloc_free(vp);
        pr_set_error(err, errlen,
                     allow_text ? "Attribute holds neither text nor octets" : "Attribute does not hold octets");
        return NULL;
    }
    return vp;
}

int pr_pairs_add_octets(pr_pairs *pairs, unsigned int number, unsigned int vendor, uint8_t const *data, size_t length,
                        char *err, size_t errlen)
{
    VALUE_PAIR *vp = make_octets_pair(pairs->ctx, number, vendor, data, length, 1, err, errlen);
    if (!vp)
        return -1;
    append(pairs, vp);
    return 0;
}

size_t pr_pairs_count(pr_pairs const *pairs)
{
    size_t n = 0;
    for (VALUE_PAIR const *vp = pairs->head; vp; vp = vp->next)
        ++n;
    return n;
}

int pr_pairs_get(pr_pairs const *pairs, size_t index, pr_pair_view *out)
{
    VALUE_PAIR const *vp = pair_at(pairs, index);
    if (!vp)
        return -1;
    memset(out, 0, sizeof(*out));
    pr_fill_attr(vp->da, &out->attr);
    out->tag = (int)vp->tag; /* TAG_ANY is negative and stays so */
    switch (vp->da->type) {
    case PW_TYPE_STRING:
        out->data = (uint8_t const *)vp->vp_strvalue;
        out->length = vp->vp_length;
        break;
    case PW_TYPE_INTEGER:
    case PW_TYPE_DATE:
        out->integer = vp->vp_integer;
        out->data = (uint8_t const *)&vp->vp_integer;
        out->length = 4;
        break;
    case PW_TYPE_BYTE:
        out->integer = vp->vp_byte;
        out->data = &vp->vp_byte;
        out->length = 1;
        break;
    case PW_TYPE_SHORT:
        out->integer = vp->vp_short;
        out->data = (uint8_t const *)&vp->vp_short;
        out->length = 2;
        break;
    case PW_TYPE_SIGNED:
        out->integer = (uint64_t)(int64_t)vp->vp_signed;
        out->data = (uint8_t const *)&vp->vp_signed;
        out->length = 4;
        break;
    case PW_TYPE_INTEGER64:
        out->integer = vp->vp_integer64;
        out->data = (uint8_t const *)&vp->vp_integer64;
        out->length = 8;
        break;
    case PW_TYPE_IPV4_ADDR:
        out->data = (uint8_t const *)&vp->vp_ipaddr;
        out->length = 4;
        break;
    case PW_TYPE_OCTETS:
    case PW_TYPE_ABINARY:
    case PW_TYPE_TLV:
        out->data = vp->vp_octets;
        out->length = vp->vp_length;
        break;
    default:
        out->data = (uint8_t const *)&vp->data;
        out->length = vp->vp_length < sizeof(vp->data) ? vp->vp_length : sizeof(vp->data);
        break;
    }
    return 0;
}

size_t pr_pairs_value_text(pr_pairs const *pairs, size_t index, char *out, size_t outlen)
{
    VALUE_PAIR const *vp = pair_at(pairs, index);
    if (!vp || outlen == 0)
        return 0;
    return vp_prints_value(out, outlen, vp, 0);
}

size_t pr_pairs_line(pr_pairs const *pairs, size_t index, char *out, size_t outlen)
{
    VALUE_PAIR const *vp = pair_at(pairs, index);
    if (!vp || outlen == 0)
        return 0;
    return vp_prints(out, outlen, vp);
}

int pr_pairs_set_value(pr_pairs *pairs, size_t index, char const *value, char *err, size_t errlen)
{
    VALUE_PAIR *vp = pair_at(pairs, index);
    if (!vp) {
        pr_set_error(err, errlen, "No such pair");
        return -1;
    }
    pr_clear_error();
    if (fr_pair_value_from_str(vp, value, strlen(value)) < 0) {
        pr_copy_error(err, errlen, "Cannot read the value");
        return -1;
    }
    return 0;
}

int pr_pairs_set_octets(pr_pairs *pairs, size_t index, uint8_t const *data, size_t length, char *err, size_t errlen)
{
    VALUE_PAIR *vp = pair_at(pairs, index);
    if (!vp) {
        pr_set_error(err, errlen, "No such pair");
        return -1;
    }
    if (vp->da->type == PW_TYPE_STRING) {
        fr_pair_value_bstrncpy(vp, data, length);
    } else if (vp->da->type == PW_TYPE_OCTETS) {
        fr_pair_value_memcpy(vp, data, length);
    } else {
        pr_set_error(err, errlen, "Attribute holds neither text nor octets");
        return -1;
    }
    return 0;
}

int pr_pairs_replace_octets(pr_pairs *pairs, size_t index, unsigned int number, unsigned int vendor,
                            uint8_t const *data, size_t length, char *err, size_t errlen)
{
    VALUE_PAIR **slot = slot_at(&pairs->head, index);
    if (!slot) {
        pr_set_error(err, errlen, "No such pair");
        return -1;
    }
    /* A new pair rather than retyping the old one: the old value may not be heap data. */
    VALUE_PAIR *vp = make_octets_pair(pairs->ctx, number, vendor, data, length, 0, err, errlen);
    if (!vp)
        return -1;
    VALUE_PAIR *old = *slot;
    vp->next = old->next;
    *slot = vp;
    old->next = NULL;
    talloc_free(old);
    return 0;
}

int pr_pairs_remove(pr_pairs *pairs, size_t index)
{
    VALUE_PAIR **slot = slot_at(&pairs->head, index);
    if (!slot)
        return -1;
    VALUE_PAIR *old = *slot;
    *slot = old->next;
    old->next = NULL;
    talloc_free(old);
    return 0;
}

int pr_pairs_move_first(pr_pairs *pairs, size_t index)
{
    VALUE_PAIR **slot = slot_at(&pairs->head, index);
    if (!slot)
        return -1;
    VALUE_PAIR *vp = *slot;
    *slot = vp->next;
    vp->next = pairs->head;
    pairs->head = vp;
    return 0;
}

long pr_pairs_find(pr_pairs const *pairs, unsigned int number, unsigned int vendor)
{
    long index = 0;
    for (VALUE_PAIR const *vp = pairs->head; vp; vp = vp->next, ++index)
        if (vp->da->attr == number && vp->da->vendor == vendor)
            return index;
    return -1;
}
