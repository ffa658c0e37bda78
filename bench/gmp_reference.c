/* The reference side of bench/speed_table.sh: the same work as a tavelko-cli line, done by
 * a plain program on GMP alone, its result text written to standard output.
 *
 *   gmp_reference pow B E        B^E in decimal
 *   gmp_reference fac N          1*2*...*N in decimal
 *   gmp_reference sqrt2 N        the square root of 2 to N decimals
 *   gmp_reference root K N       the K-th root of 2 to N decimals
 *   gmp_reference radix B E R    B^E in radix R (upper case digits)
 *   gmp_reference recip D        1/D to the end of its first cycle, the cycle between `
 *   gmp_reference one            1+1: the start-up cost of a GMP program
 *
 * Exit status 0 on success, 2 for a usage error. */
#include <errno.h>
#include <gmp.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int usage(void) {
    fputs("usage: gmp_reference pow B E | fac N | sqrt2 N | root K N | radix B E R"
          " | recip D | one\n", stderr);
    return 2;
}

/* Reads a decimal argument in [min, max]; exits with the usage status otherwise. */
static unsigned long arg_ul(const char* s, unsigned long min, unsigned long max) {
    char* end;
    errno = 0;
    unsigned long v = strtoul(s, &end, 10);
    if (errno != 0 || end == s || *end != '\0' || s[0] == '-' || v < min || v > max) {
        fprintf(stderr, "gmp_reference: bad number: %s\n", s);
        exit(usage());
    }
    return v;
}

/* Writes z in the given mpz_get_str base, followed by a line feed. */
static void put_mpz(const mpz_t z, int base) {
    char* s = mpz_get_str(NULL, base, z);
    fputs(s, stdout);
    putchar('\n');
    free(s);
}

/* Writes the K-th root of 2 to n decimals: floor((2*10^(k*n))^(1/k)) as "1." + n digits. */
static void put_root2(unsigned long k, unsigned long n) {
    mpz_t t;
    mpz_init(t);
    mpz_ui_pow_ui(t, 10, k * n);
    mpz_mul_ui(t, t, 2);                  /* t = 2*10^(k*n) */
    if (k == 2)
        mpz_sqrt(t, t);
    else
        mpz_root(t, t, k);                /* t = floor(2^(1/k) * 10^n) */
    char* s = mpz_get_str(NULL, 10, t);   /* 2^(1/k) < 2: one digit before the point */
    putchar(s[0]);
    if (n > 0) {
        putchar('.');
        fputs(s + 1, stdout);
    }
    putchar('\n');
    free(s);
    mpz_clear(t);
}

/* Writes 1/d in decimal to the end of its first cycle, the cycle between backquotes
 * ("0.1`6`" for 1/6, "0.25" for 1/4). Long division in a machine word: after the
 * pre-period, whose length is the larger exponent of 2 or 5 in d, the remainders repeat
 * with the first remainder of the cycle. */
static void put_recip(unsigned long long d) {
    unsigned long long rest = d;
    unsigned twos = 0, fives = 0;
    while (rest % 2 == 0) { rest /= 2; ++twos; }
    while (rest % 5 == 0) { rest /= 5; ++fives; }
    unsigned pre = twos > fives ? twos : fives;

    size_t cap = 1 << 16, len = 0;
    char* buf = malloc(cap);
    if (buf == NULL) { perror("gmp_reference"); exit(1); }
    unsigned long long r = 1 % d;
    int whole = d == 1;                   /* the digit before the point */
    for (unsigned i = 0; i < pre && r != 0; ++i) {
        r *= 10;                          /* the next digit is r/d, the remainder r%d */
        buf[len++] = (char)('0' + r / d);
        r %= d;
    }
    size_t cycle_at = len;
    if (r != 0) {
        unsigned long long first = r;
        do {
            if (len + 1 >= cap) {
                cap *= 2;
                buf = realloc(buf, cap);
                if (buf == NULL) { perror("gmp_reference"); exit(1); }
            }
            r *= 10;
            buf[len++] = (char)('0' + r / d);
            r %= d;
        } while (r != first);
    }
    printf("%d", whole);
    if (len > 0) putchar('.');
    fwrite(buf, 1, cycle_at, stdout);
    if (len > cycle_at) {
        putchar('`');
        fwrite(buf + cycle_at, 1, len - cycle_at, stdout);
        putchar('`');
    }
    putchar('\n');
    free(buf);
}

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const char* task = argv[1];
    mpz_t z;
    mpz_init(z);
    if (strcmp(task, "pow") == 0 && argc == 4) {
        mpz_ui_pow_ui(z, arg_ul(argv[2], 0, ULONG_MAX), arg_ul(argv[3], 0, ULONG_MAX));
        put_mpz(z, 10);
    } else if (strcmp(task, "fac") == 0 && argc == 3) {
        mpz_fac_ui(z, arg_ul(argv[2], 0, ULONG_MAX));
        put_mpz(z, 10);
    } else if (strcmp(task, "sqrt2") == 0 && argc == 3) {
        put_root2(2, arg_ul(argv[2], 0, ULONG_MAX / 2));
    } else if (strcmp(task, "root") == 0 && argc == 4) {
        unsigned long k = arg_ul(argv[2], 2, 64);
        put_root2(k, arg_ul(argv[3], 0, ULONG_MAX / k));
    } else if (strcmp(task, "radix") == 0 && argc == 5) {
        mpz_ui_pow_ui(z, arg_ul(argv[2], 0, ULONG_MAX), arg_ul(argv[3], 0, ULONG_MAX));
        put_mpz(z, -(int)arg_ul(argv[4], 2, 36));  /* a negative base gives upper case */
    } else if (strcmp(task, "recip") == 0 && argc == 3) {
        put_recip(arg_ul(argv[2], 1, ULLONG_MAX / 10));  /* 10*r must fit in a word */
    } else if (strcmp(task, "one") == 0 && argc == 2) {
        mpz_set_ui(z, 1);
        mpz_add_ui(z, z, 1);
        put_mpz(z, 10);
    } else {
        mpz_clear(z);
        return usage();
    }
    mpz_clear(z);
    return fflush(stdout) == 0 ? 0 : 1;
}
