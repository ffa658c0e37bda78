/* The real-number module: builds a value in Calcium from the engine's program, decides
   its sign and whether it is rational, and gives its digits from Arb enclosures.

   Calcium's functions give principal complex values; the conventions here are real ones:
   every domain question (a negative radicand, ln of a non-positive number, asin beyond
   [-1, 1], a pole of tan, a zero divisor) is decided before the operation, first with
   Calcium's checks and then, where they cannot tell, with Arb enclosures at growing
   precision. What neither can decide goes on: an error is reported only when proven.

   Sizes are bounded so that no call runs away: rational leaves, the exact form of every
   value (estimated before each two-operand operation), the magnitude of every value
   (|log2 |x|| at most 2^25, checked before exp and powers and after every operation), and
   Calcium's own context limits, which make a hard equality test give up.

   The engine's allocation hooks throw C++ exceptions; this file is compiled with
   -fexceptions so that they unwind through it. A context that saw an exception may hold
   half-updated values: the engine never uses it again. */
#include "engine/real/real_module.h"

#include <acb.h>
#include <arb.h>
#include <calcium/ca.h>
#include <calcium/qqbar.h>
#include <math.h>
#include <stdlib.h>

#include "engine/real/real_values.h"

#define TV_EXPORT __attribute__((visibility("default")))

enum {
    LEAF_BITS_LIMIT = 1L << 22,  /* bits of a rational leaf's numerator plus denominator */
    SIZE_LIMIT = 1L << 26,       /* estimated bits of a value's exact form */
    MAGNITUDE_LIMIT = 1L << 25,  /* |log2 |x|| of any value */
    EXP_ARG_BITS = 24,           /* |y| < 2^EXP_ARG_BITS for exp(y): e^(2^24) has 2^24.5 bits */
    CHECK_PREC_FIRST = 128,      /* the Arb fallback's first precision */
    CHECK_PREC_LIMIT = 1L << 14, /* and its last */
    POW_EXPANDED = 20,           /* Calcium's own limit for powers by multiplication */
    /* The degree of the algebraic numbers Calcium forms to prove a relation. Its default,
       120, lets each level of a nested root (sqrt(1 + sqrt(1 + ...))) cost a quarter
       of a second once the degrees pass 32; at 24 a level costs milliseconds, and the
       identities people write (roots of small integers, trigonometric values at small
       fractions of pi, nested cube roots) stay well inside it. */
    QQBAR_DEGREE_LIMIT = 24,
    /* The generators of a value's field. Calcium looks for relations among them each time
       the field grows, at a cost that grows faster than their number: a 40-fold nested
       root takes a third of a second, a 55-fold one minutes. */
    GENERATOR_LIMIT = 32
};

enum { SIGN_UNKNOWN = 2 };

struct tv_real_ctx {
    ca_ctx_t cc;
    ca_t value;
};

/* --- Signs and comparisons ------------------------------------------------------------ */

/* The sign of the real part of x from Arb enclosures at growing precision, 2 when the
   last one still contains zero (an exact zero ball is a proof of zero). */
static int arb_sign(const ca_t x, ca_ctx_t cc) {
    acb_t v;
    int s = SIGN_UNKNOWN;
    acb_init(v);
    for (slong prec = CHECK_PREC_FIRST; prec <= CHECK_PREC_LIMIT && s == SIGN_UNKNOWN; prec *= 4) {
        ca_get_acb_raw(v, x, prec, cc);
        if (arb_is_zero(acb_realref(v)))
            s = 0;
        else if (arb_is_positive(acb_realref(v)))
            s = 1;
        else if (arb_is_negative(acb_realref(v)))
            s = -1;
    }
    acb_clear(v);
    return s;
}

/* The sign of a real value: -1, 0 or 1 when proven, SIGN_UNKNOWN otherwise. Calcium's
   checks first, an Arb enclosure where they cannot tell. */
static int sign_of(const ca_t x, ca_ctx_t cc) {
    if (CA_IS_QQ(x, cc)) return fmpq_sgn(CA_FMPQ(x));
    if (CA_IS_SPECIAL(x)) return SIGN_UNKNOWN;
    if (ca_check_is_zero(x, cc) == T_TRUE) return 0;
    if (ca_check_is_negative_real(x, cc) == T_TRUE) return -1;
    ca_t zero;
    ca_init(zero, cc);
    const truth_t positive = ca_check_gt(x, zero, cc);
    ca_clear(zero, cc);
    if (positive == T_TRUE) return 1;
    return arb_sign(x, cc);
}

/* The sign of x - v. */
static int sign_minus(const ca_t x, slong v, ca_ctx_t cc) {
    ca_t t;
    ca_init(t, cc);
    ca_sub_si(t, x, v, cc);
    const int s = sign_of(t, cc);
    ca_clear(t, cc);
    return s;
}

/* --- Size limits ---------------------------------------------------------------------- */

/* The size of the exact form of x: its number of terms (numerator and denominator) and
   the bits of its largest coefficient. */
static void exact_form(const ca_t x, double* terms, double* bits, ca_ctx_t cc) {
    *terms = 1;
    *bits = 0;
    if (CA_IS_SPECIAL(x)) return;
    ca_field_srcptr k = CA_FIELD(x, cc);
    if (CA_FIELD_IS_QQ(k)) {
        *bits = (double)fmpz_bits(CA_FMPQ_NUMREF(x)) + (double)fmpz_bits(CA_FMPQ_DENREF(x));
        return;
    }
    if (CA_FIELD_IS_NF(k)) {
        fmpq_poly_t p;
        fmpq_poly_init(p);
        nf_elem_get_fmpq_poly(p, CA_NF_ELEM(x), CA_FIELD_NF(k));
        *terms = (double)FLINT_MAX(fmpq_poly_length(p), 1);
        *bits = (double)FLINT_ABS(_fmpz_vec_max_bits(fmpq_poly_numref(p), fmpq_poly_length(p))) +
                (double)fmpz_bits(fmpq_poly_denref(p));
        fmpq_poly_clear(p);
        return;
    }
    const fmpz_mpoly_ctx_struct* mctx = CA_FIELD_MCTX(k, cc);
    const fmpz_mpoly_q_struct* q = CA_MPOLY_Q(x);
    *terms = (double)(fmpz_mpoly_length(&q->num, mctx) + fmpz_mpoly_length(&q->den, mctx));
    *bits = (double)FLINT_MAX(FLINT_ABS(fmpz_mpoly_max_bits(&q->num)),
                              FLINT_ABS(fmpz_mpoly_max_bits(&q->den)));
}

/* Bits of the exact form of x, about. */
static double exact_bits(const ca_t x, ca_ctx_t cc) {
    double terms, bits;
    exact_form(x, &terms, &bits, cc);
    return terms * bits;
}

/* The number of generators of x's field (pi, sqrt(2), exp(i), ...). */
static slong generators(const ca_t x, ca_ctx_t cc) {
    (void)cc; /* the field is the value's own */
    return CA_IS_SPECIAL(x) ? 0 : CA_FIELD_LENGTH(CA_FIELD(x, cc));
}

/* Whether a two-operand operation on a and b could form an exact form beyond the limit:
   a product or sum of two rational functions has at most the product of their term
   counts, each with coefficients of about the sum of their sizes. */
static int pair_too_large(const ca_t a, const ca_t b, ca_ctx_t cc) {
    double ta, ba, tb, bb;
    exact_form(a, &ta, &ba, cc);
    exact_form(b, &tb, &bb, cc);
    return ta * tb * (ba + bb + 1) > SIZE_LIMIT;
}

/* A 64-bit enclosure of the real part of x into r. */
static void enclose(arb_t r, const ca_t x, ca_ctx_t cc) {
    acb_t v;
    acb_init(v);
    ca_get_acb_raw(v, x, 64, cc);
    arb_swap(r, acb_realref(v));
    acb_clear(v);
}

/* Whether an enclosure proves |t| >= 2^e. */
static int proven_at_least(const arb_t t, slong e) {
    mag_t m;
    mag_init(m);
    arb_get_mag_lower(m, t);
    const int at_least = arb_is_finite(t) && mag_cmp_2exp_si(m, e) >= 0;
    mag_clear(m);
    return at_least;
}

/* Whether |log2 |x|| is proven beyond MAGNITUDE_LIMIT (too large or too close to zero). */
static int magnitude_too_large(const ca_t x, ca_ctx_t cc) {
    if (CA_IS_QQ(x, cc)) return exact_bits(x, cc) > SIZE_LIMIT;
    arb_t r;
    mag_t m;
    arb_init(r);
    mag_init(m);
    enclose(r, x, cc);
    arb_get_mag(m, r);
    const int beyond = proven_at_least(r, MAGNITUDE_LIMIT) ||
                       (!arb_contains_zero(r) && mag_cmp_2exp_si(m, -MAGNITUDE_LIMIT) < 0);
    mag_clear(m);
    arb_clear(r);
    return beyond;
}

/* Whether exp(y) is proven beyond the magnitude limit. */
static int exp_too_large(const ca_t y, ca_ctx_t cc) {
    arb_t r;
    arb_init(r);
    enclose(r, y, cc);
    const int beyond = proven_at_least(r, EXP_ARG_BITS);
    arb_clear(r);
    return beyond;
}

/* Whether a^b (a != 0) is proven beyond the magnitude limit, or b is rational and a
   rational whose exact power would pass the size limit. */
static int power_too_large(const ca_t a, const ca_t b, const fmpq_t q, int rational, ca_ctx_t cc) {
    if (rational && CA_IS_QQ(a, cc) &&
        !(fmpz_is_one(CA_FMPQ_DENREF(a)) && fmpz_is_pm1(CA_FMPQ_NUMREF(a)))) {
        const double e = fabs(fmpq_get_d(q));
        if (exact_bits(a, cc) * e > SIZE_LIMIT) return 1;
    }
    arb_t x, y;
    arb_init(x);
    arb_init(y);
    enclose(x, a, cc);
    enclose(y, b, cc);
    arb_abs(x, x);
    arb_log(x, x, 64);
    arb_mul(x, x, y, 64);
    const int beyond = proven_at_least(x, EXP_ARG_BITS);
    arb_clear(x);
    arb_clear(y);
    return beyond;
}

/* --- Operations ----------------------------------------------------------------------- */

/* A rational leaf, refused beyond the leaf size. */
static int op_rational(ca_t r, const tv_real_op* op, ca_ctx_t cc) {
    if (mpz_sizeinbase(op->num, 2) + mpz_sizeinbase(op->den, 2) > LEAF_BITS_LIMIT)
        return TV_TOO_LARGE;
    fmpq_t q;
    fmpq_init(q);
    fmpz_set_mpz(fmpq_numref(q), op->num);
    fmpz_set_mpz(fmpq_denref(q), op->den);
    ca_set_fmpq(r, q, cc);
    fmpq_clear(q);
    return TV_OK;
}

/* a / b; a divisor that cannot be decided is taken as nonzero. */
static int op_divide(ca_t r, const ca_t a, const ca_t b, ca_ctx_t cc) {
    const int s = sign_of(b, cc);
    if (s == 0) return TV_DIVISION_BY_ZERO;
    if (s != SIGN_UNKNOWN) {
        ca_div(r, a, b, cc);
        return TV_OK;
    }
    ca_t t;
    ca_init(t, cc);
    ca_inv_no_division_by_zero(t, b, cc);
    ca_mul(r, a, t, cc);
    ca_clear(t, cc);
    return TV_OK;
}

/* a^q for a > 0 or an integer q. Calcium's power, except for a large numerator on a
   non-rational algebraic base: Calcium would make that power a new extension whose exact
   value (its minimal polynomial, which its checks ask for) costs time quadratic in the
   numerator; multiplications in the base's own field cost about the result's size. */
static int exact_power(ca_t r, const ca_t a, const fmpq_t q, ca_ctx_t cc) {
    const fmpz* p = fmpq_numref(q);
    const int small = fmpz_fits_si(p) && labs(fmpz_get_si(p)) <= POW_EXPANDED;
    if (CA_IS_QQ(a, cc) || small || !ca_can_evaluate_qqbar(a, cc)) {
        ca_pow_fmpq(r, a, q, cc);
        return TV_OK;
    }
    if (!fmpz_fits_si(p) || exact_bits(a, cc) * fabs(fmpz_get_d(p)) > SIZE_LIMIT)
        return TV_TOO_LARGE;
    fmpq_t root;
    fmpq_init(root);
    fmpz_one(fmpq_numref(root));
    fmpz_set(fmpq_denref(root), fmpq_denref(q));
    ca_pow_fmpq(r, a, root, cc); /* r = a^(1/d) */
    ca_pow_si_arithmetic(r, r, fmpz_get_si(p), cc);
    fmpq_clear(root);
    return TV_OK;
}

/* r = sign * |a|^q for a proven negative a. */
static int odd_root_of_negative(ca_t r, const ca_t a, const fmpq_t q, ca_ctx_t cc) {
    ca_neg(r, a, cc);
    const int status = exact_power(r, r, q, cc);
    if (fmpz_is_odd(fmpq_numref(q))) ca_neg(r, r, cc);
    return status;
}

/* a^q for a rational exponent q with the real conventions; s is a's sign. */
static int power_rational(ca_t r, const ca_t a, const fmpq_t q, int s, ca_ctx_t cc) {
    if (fmpq_is_zero(q)) {
        ca_one(r, cc);
        return TV_OK;
    }
    if (s == 0) {
        if (fmpq_sgn(q) < 0) return TV_DIVISION_BY_ZERO;
        ca_zero(r, cc);
        return TV_OK;
    }
    if (s == -1 && !fmpz_is_one(fmpq_denref(q))) {
        if (fmpz_is_even(fmpq_denref(q))) return TV_IMAGINARY;
        return odd_root_of_negative(r, a, q, cc);
    }
    return exact_power(r, a, q, cc);
}

/* a^b with the real conventions of the interface. */
static int op_power(ca_t r, const ca_t a, const ca_t b, ca_ctx_t cc) {
    fmpq_t q;
    fmpq_init(q);
    const int rational = ca_get_fmpq(q, b, cc);
    const int s = sign_of(a, cc);
    int status = TV_OK;
    if (s != 0 && power_too_large(a, b, q, rational, cc))
        status = TV_TOO_LARGE;
    else if (rational)
        status = power_rational(r, a, q, s, cc);
    else if (s == -1)
        status = TV_IMAGINARY;
    else if (s == 0) {
        const int t = sign_of(b, cc);
        if (t == -1)
            status = TV_DIVISION_BY_ZERO;
        else
            ca_zero(r, cc);
    } else
        ca_pow(r, a, b, cc);
    fmpq_clear(q);
    if (status == TV_OK && s == SIGN_UNKNOWN && ca_check_is_real(r, cc) == T_FALSE)
        status = TV_IMAGINARY;
    return status;
}

/* sqrt(a); a negative radicand is outside the function's domain. */
static int op_sqrt(ca_t r, const ca_t a, ca_ctx_t cc) {
    const int s = sign_of(a, cc);
    if (s == -1) return TV_DOMAIN;
    ca_sqrt(r, a, cc);
    if (s == SIGN_UNKNOWN && ca_check_is_real(r, cc) == T_FALSE) return TV_DOMAIN;
    return TV_OK;
}

/* The real cube root: the root of |a| with a's sign. */
static int op_cbrt(ca_t r, const ca_t a, ca_ctx_t cc) {
    fmpq_t third;
    fmpq_init(third);
    fmpq_set_si(third, 1, 3);
    const int s = sign_of(a, cc);
    int status = TV_OK;
    if (s == -1)
        status = odd_root_of_negative(r, a, third, cc);
    else
        status = power_rational(r, a, third, s, cc);
    fmpq_clear(third);
    return status;
}

/* ln(a), or log10(a) = ln(a) / ln(10); a must be positive. */
static int op_log(ca_t r, const ca_t a, int base10, ca_ctx_t cc) {
    const int s = sign_of(a, cc);
    if (s == 0 || s == -1) return TV_DOMAIN;
    ca_log(r, a, cc);
    if (base10) {
        ca_t ten;
        ca_init(ten, cc);
        ca_set_ui(ten, 10, cc);
        ca_log(ten, ten, cc);
        ca_div(r, r, ten, cc);
        ca_clear(ten, cc);
    }
    if (s == SIGN_UNKNOWN && ca_check_is_real(r, cc) == T_FALSE) return TV_DOMAIN;
    return TV_OK;
}

/* exp(a), refused when its magnitude is proven beyond the limit. */
static int op_exp(ca_t r, const ca_t a, ca_ctx_t cc) {
    if (exp_too_large(a, cc)) return TV_TOO_LARGE;
    ca_exp(r, a, cc);
    return TV_OK;
}

/* tan(a); a pole (cos a = 0) is outside the domain. */
static int op_tan(ca_t r, const ca_t a, ca_ctx_t cc) {
    ca_t c;
    ca_init(c, cc);
    ca_cos(c, a, cc);
    const int s = sign_of(c, cc);
    ca_clear(c, cc);
    if (s == 0) return TV_DOMAIN;
    ca_tan(r, a, cc);
    return TV_OK;
}

/* asin(a) or acos(a) for -1 <= a <= 1. */
static int op_arcsine(ca_t r, const ca_t a, int cosine, ca_ctx_t cc) {
    const int above = sign_minus(a, 1, cc), below = sign_minus(a, -1, cc);
    if (above == 1 || below == -1) return TV_DOMAIN;
    if (cosine)
        ca_acos(r, a, cc);
    else
        ca_asin(r, a, cc);
    if ((above == SIGN_UNKNOWN || below == SIGN_UNKNOWN) && ca_check_is_real(r, cc) == T_FALSE)
        return TV_DOMAIN;
    return TV_OK;
}

/* sinh, cosh or tanh of a from e^a and e^-a. */
static int op_hyperbolic(ca_t r, const ca_t a, int op, ca_ctx_t cc) {
    if (exp_too_large(a, cc)) return TV_TOO_LARGE;
    ca_t p, m;
    ca_init(p, cc);
    ca_init(m, cc);
    ca_exp(p, a, cc);
    ca_inv_no_division_by_zero(m, p, cc);
    if (op == TV_COSH)
        ca_add(r, p, m, cc);
    else
        ca_sub(r, p, m, cc);
    if (op == TV_TANH) {
        ca_add(p, p, m, cc);
        ca_inv_no_division_by_zero(p, p, cc);
        ca_mul(r, r, p, cc);
    } else
        ca_div_ui(r, r, 2, cc);
    ca_clear(p, cc);
    ca_clear(m, cc);
    return TV_OK;
}

/* |a|: a itself or its negation when the sign is known, Calcium's abs otherwise. */
static int op_abs(ca_t r, const ca_t a, ca_ctx_t cc) {
    const int s = sign_of(a, cc);
    if (s == -1)
        ca_neg(r, a, cc);
    else if (s == SIGN_UNKNOWN)
        ca_abs(r, a, cc);
    else
        ca_set(r, a, cc);
    return TV_OK;
}

/* floor(a) (up = 0) or ceil(a) (up = 1) from enclosures into n: 1 when an enclosure lies
   strictly between two integers, or covers one integer that Calcium proves equal to a. */
static int round_by_enclosure(fmpz_t n, const ca_t a, int up, ca_ctx_t cc) {
    acb_t v;
    arb_t t;
    int found = 0, asked = 0;
    acb_init(v);
    arb_init(t);
    for (slong prec = CHECK_PREC_FIRST; prec <= CHECK_PREC_LIMIT && !found; prec *= 4) {
        ca_get_acb_raw(v, a, prec, cc);
        if (up)
            arb_ceil(t, acb_realref(v), prec);
        else
            arb_floor(t, acb_realref(v), prec);
        found = arb_get_unique_fmpz(n, t);
        if (found || asked || !arb_is_finite(acb_realref(v))) continue;
        arf_get_fmpz(n, arb_midref(acb_realref(v)), ARF_RND_NEAR);
        if (arb_contains_fmpz(acb_realref(v), n) &&
            mag_cmp_2exp_si(arb_radref(acb_realref(v)), -2) < 0) {
            ca_t m;
            ca_init(m, cc);
            ca_set_fmpz(m, n, cc);
            found = ca_check_equal(a, m, cc) == T_TRUE;
            asked = 1;
            ca_clear(m, cc);
        }
    }
    arb_clear(t);
    acb_clear(v);
    return found;
}

/* floor(a) or ceil(a): Calcium's, else from enclosures, else Calcium's symbolic value. */
static int op_round(ca_t r, const ca_t a, int up, ca_ctx_t cc) {
    if (up)
        ca_ceil(r, a, cc);
    else
        ca_floor(r, a, cc);
    if (CA_IS_QQ(r, cc)) return TV_OK;
    fmpz_t n;
    fmpz_init(n);
    if (round_by_enclosure(n, a, up, cc)) ca_set_fmpz(r, n, cc);
    fmpz_clear(n);
    return TV_OK;
}

/* The functions of one operand other than roots, logarithms and rounding. */
static int op_function(ca_t r, const ca_t a, int op, ca_ctx_t cc) {
    switch (op) {
        case TV_NEG:
            ca_neg(r, a, cc);
            return TV_OK;
        case TV_SQRT:
            return op_sqrt(r, a, cc);
        case TV_CBRT:
            return op_cbrt(r, a, cc);
        case TV_EXP:
            return op_exp(r, a, cc);
        case TV_LN:
            return op_log(r, a, 0, cc);
        case TV_LOG10:
            return op_log(r, a, 1, cc);
        case TV_SIN:
            ca_sin(r, a, cc);
            return TV_OK;
        case TV_COS:
            ca_cos(r, a, cc);
            return TV_OK;
        case TV_TAN:
            return op_tan(r, a, cc);
        case TV_ASIN:
            return op_arcsine(r, a, 0, cc);
        case TV_ACOS:
            return op_arcsine(r, a, 1, cc);
        case TV_ATAN:
            ca_atan(r, a, cc);
            return TV_OK;
        case TV_SINH:
        case TV_COSH:
        case TV_TANH:
            return op_hyperbolic(r, a, op, cc);
        case TV_ABS:
            return op_abs(r, a, cc);
        case TV_FLOOR:
            return op_round(r, a, 0, cc);
        case TV_CEIL:
            return op_round(r, a, 1, cc);
        default:
            return TV_DOMAIN;
    }
}

/* The operations of two operands. */
static int op_binary(ca_t r, const ca_t a, const ca_t b, int op, ca_ctx_t cc) {
    if (pair_too_large(a, b, cc)) return TV_TOO_LARGE;
    switch (op) {
        case TV_ADD:
            ca_add(r, a, b, cc);
            return TV_OK;
        case TV_SUB:
            ca_sub(r, a, b, cc);
            return TV_OK;
        case TV_MUL:
            ca_mul(r, a, b, cc);
            return TV_OK;
        case TV_DIV:
            return op_divide(r, a, b, cc);
        default:
            return op_power(r, a, b, cc);
    }
}

/* The status of a finished operation's value: an infinity or an undefined value is a
   domain error Calcium proved, an unknown one beyond its limits, a magnitude beyond ours
   too large. */
static int value_status(const ca_t r, int op, ca_ctx_t cc) {
    if (CA_IS_UNKNOWN(r)) return TV_TOO_LARGE;
    if (CA_IS_SPECIAL(r)) return op == TV_DIV || op == TV_POW ? TV_DIVISION_BY_ZERO : TV_DOMAIN;
    return magnitude_too_large(r, cc) ? TV_TOO_LARGE : TV_OK;
}

/* Evaluates op i of the program into v[i]. */
static int eval_op(ca_ptr v, const tv_real_op* ops, size_t i, ca_ctx_t cc) {
    const tv_real_op* op = &ops[i];
    int status;
    switch (op->op) {
        case TV_RATIONAL:
            return op_rational(v + i, op, cc);
        case TV_PI:
            ca_pi(v + i, cc);
            return TV_OK;
        case TV_E:
            ca_one(v + i, cc);
            ca_exp(v + i, v + i, cc);
            return TV_OK;
        case TV_ADD:
        case TV_SUB:
        case TV_MUL:
        case TV_DIV:
        case TV_POW:
            if (generators(v + op->a, cc) + generators(v + op->b, cc) > GENERATOR_LIMIT)
                return TV_TOO_LARGE;
            status = op_binary(v + i, v + op->a, v + op->b, op->op, cc);
            break;
        default:
            if (generators(v + op->a, cc) >= GENERATOR_LIMIT) return TV_TOO_LARGE;
            status = op_function(v + i, v + op->a, op->op, cc);
            break;
    }
    return status == TV_OK ? value_status(v + i, op->op, cc) : status;
}

/* --- The interface -------------------------------------------------------------------- */

/* Routes FLINT's (and so Arb's and Calcium's) allocations and aborts to the hooks. */
static void tv_init(const tv_real_hooks* hooks) {
    __flint_set_memory_functions(hooks->alloc, hooks->calloc, hooks->realloc, hooks->free);
    flint_set_abort((__typeof__(&flint_abort))hooks->abort);
}

/* A context with the module's limits and the value 0. */
static tv_real_ctx* tv_create(void) {
    tv_real_ctx* ctx = flint_malloc(sizeof(tv_real_ctx));
    ca_ctx_init(ctx->cc);
    ctx->cc->options[CA_OPT_QQBAR_DEG_LIMIT] = QQBAR_DEGREE_LIMIT;
    ca_init(ctx->value, ctx->cc);
    return ctx;
}

/* Frees a context and its value. */
static void tv_destroy(tv_real_ctx* ctx) {
    ca_clear(ctx->value, ctx->cc);
    ca_ctx_clear(ctx->cc);
    flint_free(ctx);
}

/* Evaluates the program op by op, stopping at the first status other than TV_OK. */
static int tv_build(tv_real_ctx* ctx, const tv_real_op* ops, size_t n, size_t* failed) {
    *failed = 0;
    if (n == 0) return TV_DOMAIN;
    ca_ptr v = flint_malloc(n * sizeof(ca_struct));
    size_t made = 0;
    int status = TV_OK;
    for (; made < n && status == TV_OK; made++) {
        ca_init(v + made, ctx->cc);
        status = eval_op(v, ops, made, ctx->cc);
    }
    if (status == TV_OK) {
        ca_swap(ctx->value, v + n - 1, ctx->cc);
        tv_settle_rational(ctx->value, ctx->cc);
    } else
        *failed = made - 1;
    for (size_t i = 0; i < made; i++) ca_clear(v + i, ctx->cc);
    flint_free(v);
    return status;
}

/* The build already rewrote a value proven rational as that rational. */
static int tv_rational(tv_real_ctx* ctx, mpz_ptr num, mpz_ptr den) {
    if (!CA_IS_QQ(ctx->value, ctx->cc)) return 0;
    fmpz_get_mpz(num, CA_FMPQ_NUMREF(ctx->value));
    fmpz_get_mpz(den, CA_FMPQ_DENREF(ctx->value));
    return 1;
}

/* The value's sign, 2 when undecided. */
static int tv_sign(tv_real_ctx* ctx) {
    return sign_of(ctx->value, ctx->cc);
}

/* floor(|x| radix^k) into out when decided at prec bits. */
static int tv_digits(tv_real_ctx* ctx, int radix, long k, long prec, mpz_ptr out, int* negative) {
    fmpz_t n;
    fmpz_init(n);
    const int decided = tv_digits_of(ctx->value, radix, k, prec, n, negative, ctx->cc);
    if (decided) fmpz_get_mpz(out, n);
    fmpz_clear(n);
    return decided;
}

/* Frees the calling thread's caches (Arb's constants among them). */
static void tv_thread_end(void) {
    flint_cleanup();
}

/* The module's interface. */
TV_EXPORT const tv_real_api* tavelko_real_api(void) {
    static const tv_real_api api = {tv_init,     tv_create, tv_destroy, tv_build,
                                    tv_rational, tv_sign,   tv_digits,  tv_thread_end};
    return &api;
}
