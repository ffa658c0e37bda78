/* The reference side of the real-number rows: a constant to N decimals done by a plain
 * program on Arb alone, with one call at the final precision (N digits plus 64 guard
 * bits), its decimal text written to standard output.
 *
 *   arb_reference pi N        pi to N decimals
 *   arb_reference e N         e to N decimals
 *   arb_reference sin1 N      sin 1 to N decimals
 *
 * Exit status 0 on success, 2 for a usage error. */
#include <arb.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int usage(void) {
    fputs("usage: arb_reference pi|e|sin1 N\n", stderr);
    return 2;
}

/* x = the named constant at prec bits; 0 for an unknown name. */
static int constant(arb_t x, const char* name, slong prec) {
    if (strcmp(name, "pi") == 0) {
        arb_const_pi(x, prec);
    } else if (strcmp(name, "e") == 0) {
        arb_const_e(x, prec);
    } else if (strcmp(name, "sin1") == 0) {
        arb_set_ui(x, 1);
        arb_sin(x, x, prec);
    } else {
        return 0;
    }
    return 1;
}

int main(int argc, char** argv) {
    if (argc != 3) return usage();
    char* end;
    const long n = strtol(argv[2], &end, 10);
    if (*end != '\0' || n < 1 || n > 100000000) return usage();
    const slong prec = (slong)((double)n * 3.3219280948873623) + 64;
    arb_t x;
    arb_init(x);
    if (!constant(x, argv[1], prec)) return usage();
    /* The digits before the point and n after it. */
    const double m = fabs(arf_get_d(arb_midref(x), ARF_RND_DOWN));
    const slong before = m >= 1 ? (slong)floor(log10(m)) + 1 : 0;
    char* text = arb_get_str(x, n + before, ARB_STR_NO_RADIUS);
    puts(text);
    flint_free(text);
    arb_clear(x);
    flint_cleanup();
    return 0;
}
