/* Reading a value the real-number module built: whether it is rational (and then its
   exact form), and its digits from Arb enclosures. Part of the module, C only. */
#ifndef TAVELKO_REAL_VALUES_H
#define TAVELKO_REAL_VALUES_H

#include <calcium/ca.h>

/* Rewrites x as the rational it is proven to be, so that its digits are exact. */
void tv_settle_rational(ca_t x, ca_ctx_t cc);

/* floor(|x| radix^k) and the sign of x: exactly for a rational, else when a prec-bit
   enclosure decides them (1; 0 when it does not). */
int tv_digits_of(const ca_t x, int radix, slong k, slong prec, fmpz_t out, int* negative,
                 ca_ctx_t cc);

#endif
