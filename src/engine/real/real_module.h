/* The narrow C interface of the real-number module: a shared library of ours, linked to
   Calcium, Arb and FLINT, that the engine opens on the first line needing a real number
   (linking those libraries into the programs would slow every start). Plain C, so that
   the module's one source can include Calcium's headers, which are not valid C++.

   A value is described by a program: op i may use the results of ops before it (a and b
   are their indices), so a shared subexpression is built once. The last op is the value.
   A context holds one built value; a context and its value belong to one thread at a
   time (Calcium's contexts are not thread-safe), and each thread that used the module
   calls thread_end before it ends (Arb keeps per-thread caches). */
#ifndef TAVELKO_REAL_MODULE_H
#define TAVELKO_REAL_MODULE_H

#include <gmp.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The operations; the engine's expression tree uses the same codes. */
enum tv_real_opcode {
    TV_RATIONAL = 0, /* num/den, den > 0, in lowest terms */
    TV_PI,
    TV_E,
    TV_ADD, /* a + b */
    TV_SUB, /* a - b */
    TV_MUL, /* a * b */
    TV_DIV, /* a / b; b = 0 is TV_DIVISION_BY_ZERO */
    TV_POW, /* a ^ b, real: an odd root of a negative is negative (b rational with odd
               denominator); an even root of a negative or a negative base with an
               irrational exponent is TV_IMAGINARY; 0 to a negative power is
               TV_DIVISION_BY_ZERO */
    TV_NEG, /* -a */
    TV_SQRT,
    TV_CBRT, /* the real cube root: cbrt(-8) = -2 */
    TV_EXP,
    TV_LN,
    TV_LOG10,
    TV_SIN, /* radians */
    TV_COS,
    TV_TAN,
    TV_ASIN,
    TV_ACOS,
    TV_ATAN,
    TV_SINH,
    TV_COSH,
    TV_TANH,
    TV_ABS,
    TV_FLOOR,
    TV_CEIL,
    TV_OPCODE_COUNT
};

typedef struct {
    int op;          /* enum tv_real_opcode */
    long a, b;       /* operand indices (earlier ops), -1 when unused */
    mpz_srcptr num;  /* TV_RATIONAL only */
    mpz_srcptr den;
} tv_real_op;

/* Outcomes of building a value. */
enum tv_real_status {
    TV_OK = 0,
    TV_DOMAIN,            /* a function's argument outside its real domain (ln 0, asin 2,
                             tan(pi/2), sqrt(-1), ...) */
    TV_IMAGINARY,         /* an even root of a negative number */
    TV_DIVISION_BY_ZERO,  /* a division by a value proven zero */
    TV_TOO_LARGE,         /* beyond the module's size limits (a huge exponent, ...) */
};

typedef struct tv_real_ctx tv_real_ctx;

/* Allocation and abort hooks the engine gives the module: FLINT, Arb and Calcium
   allocate through them, and they raise the engine's out-of-memory error instead of
   aborting the process. */
typedef struct {
    void* (*alloc)(size_t);
    void* (*calloc)(size_t, size_t);
    void* (*realloc)(void*, size_t);
    void (*free)(void*);
    void (*abort)(void);
} tv_real_hooks;

typedef struct {
    /* Installs the hooks; called once, before anything else. */
    void (*init)(const tv_real_hooks* hooks);
    tv_real_ctx* (*create)(void);
    void (*destroy)(tv_real_ctx* ctx);
    /* Builds the value of ops[0..n-1] into the context; on a status other than TV_OK,
       *failed is the index of the op that failed. */
    int (*build)(tv_real_ctx* ctx, const tv_real_op* ops, size_t n, size_t* failed);
    /* 1 with num/den (lowest terms, den > 0) when the value is proven rational; 0 when
       it is proven irrational or cannot be decided within the context's limits. */
    int (*rational)(tv_real_ctx* ctx, mpz_ptr num, mpz_ptr den);
    /* The sign of the value: -1, 0 or 1 when decided, 2 when not decided. */
    int (*sign)(tv_real_ctx* ctx);
    /* floor(|x| * radix^k) for k >= 0 into out, and whether x < 0, when an enclosure
       of x at a working precision of prec bits decides it: 1; 0 when it does not (try
       again with more precision). */
    int (*digits)(tv_real_ctx* ctx, int radix, long k, long prec, mpz_ptr out, int* negative);
    /* Frees the calling thread's caches; the last call of a thread. */
    void (*thread_end)(void);
} tv_real_api;

/* The module's one exported symbol. */
const tv_real_api* tavelko_real_api(void);

#ifdef __cplusplus
}
#endif

#endif
