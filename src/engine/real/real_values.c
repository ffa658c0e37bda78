/* Reading a value the real-number module built: a rational it is proven to be (from its
   exact form, its minimal polynomial, or a candidate its enclosure suggests that Calcium
   proves equal), and its digits (exactly for a rational, else from one Arb enclosure). */
#include "engine/real/real_values.h"

#include <acb.h>
#include <arb.h>
#include <calcium/qqbar.h>

enum { GUESS_PREC = 256 }; /* the enclosure a rational candidate is read from */

/* --- Rational values ------------------------------------------------------------------ */

/* A rational the enclosure of x suggests (the simplest one inside a 256-bit ball, when its
   denominator is small enough to stand out), proven equal to x by Calcium. */
static int guess_rational(fmpq_t q, const ca_t x, ca_ctx_t cc) {
    acb_t v;
    arf_t lo, hi;
    fmpq_t a, b;
    int found = 0;
    acb_init(v);
    arf_init(lo);
    arf_init(hi);
    fmpq_init(a);
    fmpq_init(b);
    ca_get_acb_raw(v, x, GUESS_PREC, cc);
    const arb_srcptr re = acb_realref(v);
    if (arb_is_finite(re) && !arb_is_exact(re) &&
        arf_cmpabs_2exp_si(arb_midref(re), GUESS_PREC) < 0) {
        arb_get_lbound_arf(lo, re, ARF_PREC_EXACT);
        arb_get_ubound_arf(hi, re, ARF_PREC_EXACT);
        arf_get_fmpq(a, lo);
        arf_get_fmpq(b, hi);
        fmpq_simplest_between(q, a, b);
        /* -log2 of the ball's radius: a rational with a denominator of more than half of
           those bits is what any real number has nearby. */
        const slong width = -fmpz_get_si(MAG_EXPREF(arb_radref(re)));
        if ((slong)fmpz_bits(fmpq_denref(q)) < width / 2 - 16) {
            ca_t c;
            ca_init(c, cc);
            ca_set_fmpq(c, q, cc);
            found = ca_check_equal(x, c, cc) == T_TRUE;
            ca_clear(c, cc);
        }
    }
    fmpq_clear(a);
    fmpq_clear(b);
    arf_clear(lo);
    arf_clear(hi);
    acb_clear(v);
    return found;
}

/* Whether x is proven rational, with its value: its exact form, its minimal polynomial
   when it is algebraic, or a guessed candidate proven equal. */
static int find_rational(fmpq_t q, const ca_t x, ca_ctx_t cc) {
    if (CA_IS_SPECIAL(x)) return 0;
    if (ca_get_fmpq(q, x, cc)) return 1;
    if (ca_check_is_rational(x, cc) == T_FALSE) return 0;
    if (ca_can_evaluate_qqbar(x, cc)) {
        qqbar_t a;
        qqbar_init(a);
        const int known = ca_get_qqbar(a, x, cc);
        const int found = known && qqbar_degree(a) == 1;
        if (found) _qqbar_get_fmpq(fmpq_numref(q), fmpq_denref(q), a);
        qqbar_clear(a);
        if (known) return found;
    }
    return guess_rational(q, x, cc);
}

/* Rewrites x as the rational it is proven to be, so that its enclosures are exact. */
void tv_settle_rational(ca_t x, ca_ctx_t cc) {
    fmpq_t q;
    fmpq_init(q);
    if (!CA_IS_QQ(x, cc) && find_rational(q, x, cc)) ca_set_fmpq(x, q, cc);
    fmpq_clear(q);
}

/* --- Digits --------------------------------------------------------------------------- */

/* y = y * radix^k exactly: the odd part's power times a shift. */
static void scale_by_power(arb_t y, int radix, slong k, slong prec) {
    ulong odd = (ulong)radix;
    slong twos = 0;
    while (odd % 2 == 0) {
        odd /= 2;
        twos++;
    }
    if (odd > 1) {
        fmpz_t p;
        fmpz_init(p);
        fmpz_ui_pow_ui(p, odd, (ulong)k);
        arb_mul_fmpz(y, y, p, prec);
        fmpz_clear(p);
    }
    arb_mul_2exp_si(y, y, twos * k);
}

/* Sets the cached enclosures of the generators of x that are e = exp(1) to Arb's constant
   at prec bits, which costs about half of exp(1) at that precision. */
static void prime_constant_e(const ca_t x, slong prec, ca_ctx_t cc) {
    if (CA_IS_SPECIAL(x) || CA_IS_QQ(x, cc)) return;
    ca_field_srcptr k = CA_FIELD(x, cc);
    for (slong i = 0; i < CA_FIELD_LENGTH(k); i++) {
        ca_ext_ptr ext = CA_FIELD_EXT_ELEM(k, i);
        if (CA_EXT_HEAD(ext) != CA_Exp || CA_EXT_FUNC_PREC(ext) >= prec) continue;
        ca_srcptr arg = CA_EXT_FUNC_ARGS(ext);
        if (!CA_IS_QQ(arg, cc) || !fmpq_is_one(CA_FMPQ(arg))) continue;
        arb_const_e(acb_realref(CA_EXT_FUNC_ENCLOSURE(ext)), prec);
        arb_zero(acb_imagref(CA_EXT_FUNC_ENCLOSURE(ext)));
        CA_EXT_FUNC_PREC(ext) = prec;
    }
}

/* floor(|q| radix^k) of a rational, exactly (an enclosure never decides the floor of
   a value that is an integer). */
static void rational_digits(const fmpq_t q, int radix, slong k, fmpz_t out) {
    fmpz_ui_pow_ui(out, (ulong)radix, (ulong)k);
    fmpz_mul(out, out, fmpq_numref(q));
    fmpz_abs(out, out);
    fmpz_fdiv_q(out, out, fmpq_denref(q));
}

/* floor(|x| radix^k) and the sign of x: exactly for a rational, else when a prec-bit
   enclosure decides them. */
int tv_digits_of(const ca_t x, int radix, slong k, slong prec, fmpz_t out, int* negative,
                 ca_ctx_t cc) {
    if (CA_IS_QQ(x, cc)) {
        rational_digits(CA_FMPQ(x), radix, k, out);
        *negative = fmpq_sgn(CA_FMPQ(x)) < 0;
        return 1;
    }
    acb_t v;
    int decided = 0;
    acb_init(v);
    prime_constant_e(x, prec, cc);
    ca_get_acb_raw(v, x, prec, cc);
    arb_ptr re = acb_realref(v);
    if (arb_is_zero(re)) {
        fmpz_zero(out);
        *negative = 0;
        decided = 1;
    } else if (arb_is_finite(re) && !arb_contains_zero(re)) {
        *negative = arb_is_negative(re);
        arb_abs(re, re);
        scale_by_power(re, radix, k, prec);
        arb_floor(re, re, prec);
        decided = arb_get_unique_fmpz(out, re);
    }
    acb_clear(v);
    return decided;
}
