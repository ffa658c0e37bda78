// Real values through the module: exact recognitions, domain errors with their nodes,
// digits against independently computed ones and against GMP on random rationals and
// roots, a cancel during a long expansion, out of memory, and the module opened only
// when a value is decided.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "common/utf.h"
#include "engine/real/real.h"
#include "test_support.h"

namespace {

using E = E実数演算;

P実数 Read(const char* text) {
    P実数 p;
    EXPECT_TRUE(f実数読込(text, p)) << text;
    return p;
}

P実数 Q(int64_t n, int64_t d = 1) {
    return f実数有理(f分数値(n, d), kNoCancel);
}

std::string FractionText(const T分数型& f) {
    return Utf16ToUtf8(f.t分子.f文字列()) + "/" + Utf16ToUtf8(f.t分母.f文字列());
}

// "n/d" of the value when proven rational, "" when not.
std::string RationalText(const P実数& p) {
    T実数値 v(p, kNoCancel);
    T分数型 f;
    return v.f有理(f, kNoCancel) ? FractionText(f) : "";
}

// floor(|x| radix^k) in the radix (capital letters), "-" in front for a negative x.
std::string Digits(const P実数& p, int radix, int64_t k) {
    T実数値 v(p, kNoCancel);
    bool negative = false;
    const T整数型 n = v.f切捨桁(radix, k, negative, kNoCancel);
    char* s = mpz_get_str(nullptr, -radix, T整数視(n));
    std::string text = (negative ? "-" : "") + std::string(s);
    std::free(s);
    return text;
}

// The module's error for the tree, or "" when it builds; node gets the failing node's text.
std::string BuildError(const P実数& p, std::string& node) {
    try {
        T実数値 v(p, kNoCancel);
    } catch (const E実数エラー& e) {
        node = e.p節点 != nullptr ? f実数式文字列(P実数(P実数{}, e.p節点)) : "";
        return Utf16ToUtf8(e.message());
    }
    return "";
}

// The sum of twelve square roots minus each of them again.
P実数 TwelveRootsAndBack() {
    const int primes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    P実数 sum = Q(0);
    for (int p : primes) sum = f実数演算(E::m加算, sum, f実数演算(E::m平方根, Q(p)));
    for (int p : primes) sum = f実数演算(E::m減算, sum, f実数演算(E::m平方根, Q(p)));
    return sum;
}

TEST(Real, ProvesRationalValues) {
    const struct {
        const char* text;
        const char* value;
    } rows[] = {
        {"(((3+(2*sqrt(2)))^(1/2))-sqrt(2))", "1/1"},
        {"sin((pi/6))", "1/2"},
        {"sin(((30*pi)/180))", "1/2"},
        {"exp(ln(2))", "2/1"},
        {"(ln(8)/ln(2))", "3/1"},
        {"((4*atan(1))/pi)", "1/1"},
        {"((cos((pi/5))*4)-sqrt(5))", "1/1"},
        {"(((2+sqrt(5))^(1/3))-((sqrt(5)-2)^(1/3)))", "1/1"},
        {"(((7+(4*sqrt(3)))^(1/2))-sqrt(3))", "2/1"},
        {"((((2^(1/2))+1)*((2^(1/2))+1))-(2*((2^(1/2))+1)))", "1/1"},
        {"((pi/4)/(pi/180))", "45/1"},
        {"cbrt((-8))", "-2/1"},
        {"((-8)^(2/3))", "4/1"},
        {"((-32)^(-3/5))", "-1/8"},
        {"log(1000)", "3/1"},
        {"asin(sin(1))", "1/1"},
        {"((cosh(1)^2)-(sinh(1)^2))", "1/1"},
        {"tanh(0)", "0/1"},
        {"(((sqrt(2)+1)^1000000)*((sqrt(2)-1)^1000000))", "1/1"},
        {"((((-3)^(1/3))+1)^60)", ""},
        {"floor((-pi))", "-4/1"},
        {"ceil((-pi))", "-3/1"},
        {"floor((((2+sqrt(5))^(1/3))-((sqrt(5)-2)^(1/3))))", "1/1"},
        {"abs((sqrt(2)-2))", ""},
        {"pi", ""},
        {"e", ""},
        {"(sqrt(2)+1)", ""},
        {"sin(1)", ""},
        {"ln(2)", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(RationalText(Read(row.text)), row.value) << row.text;
    EXPECT_EQ(RationalText(TwelveRootsAndBack()), "0/1");
}

TEST(Real, DomainErrorsNameTheirNode) {
    const char* kDomain = "定義域外の引数: ";
    const struct {
        const char* text;
        std::string message;
        const char* node;
    } rows[] = {
        {"(1+sqrt((-1)))", kDomain + std::string("sqrt"), "sqrt((-1))"},
        {"(1+ln(0))", kDomain + std::string("ln"), "ln(0)"},
        {"ln((pi-4))", kDomain + std::string("ln"), "ln((pi-4))"},
        {"log((sqrt(2)-(2^(1/2))))", kDomain + std::string("log"), "log((sqrt(2)-(2^(1/2))))"},
        {"asin((1+(1/1000000)))", kDomain + std::string("asin"), "asin((1+(1/1000000)))"},
        {"acos((-sqrt(2)))", kDomain + std::string("acos"), "acos((-sqrt(2)))"},
        {"(2*tan(((3*pi)/2)))", kDomain + std::string("tan"), "tan(((3*pi)/2))"},
        {"(1/(sin(pi)*e))", "ゼロ除算", "(1/(sin(pi)*e))"},
        {"(0^(-1))", "ゼロ除算", "(0^(-1))"},
        {"((-8)^(1/2))", "駄目だこりゃ! 虚数はまだ対応してないのよ～ん!", "((-8)^(1/2))"},
        {"((-2)^pi)", "駄目だこりゃ! 虚数はまだ対応してないのよ～ん!", "((-2)^pi)"},
        {"(pi+exp(100000000))", "実数が大きすぎる", "exp(100000000)"},
        {"sinh((2^30))", "実数が大きすぎる", "sinh((2^30))"},
        {"((1000001/1000000)^1000000000)", "実数が大きすぎる", "((1000001/1000000)^1000000000)"},
        {"((sqrt(2)+1)^100000000)", "実数が大きすぎる", "((sqrt(2)+1)^100000000)"},
        {"(sqrt(0)+acos(1))", "", ""},
    };
    for (const auto& row : rows) {
        std::string node;
        const P実数 p = Read(row.text);
        ASSERT_TRUE(p) << row.text;
        EXPECT_EQ(f実数式文字列(p), row.text);
        EXPECT_EQ(BuildError(p, node), row.message) << row.text;
        EXPECT_EQ(node, row.node) << row.text;
    }
}

TEST(Real, DigitsOfConstantsMatchAnIndependentModel) {
    // python3 mpmath at 1000 bits: floor(x * radix^k).
    const struct {
        const char* text;
        int radix, k;
        const char* digits;
    } rows[] = {
        {"pi", 10, 60, "3141592653589793238462643383279502884197169399375105820974944"},
        {"pi", 16, 50, "3243F6A8885A308D313198A2E03707344A4093822299F31D008"},
        {"e", 10, 60, "2718281828459045235360287471352662497757247093699959574966967"},
        {"e", 16, 50, "2B7E151628AED2A6ABF7158809CF4F3C762E7160F38B4DA56A7"},
        {"sqrt(2)", 10, 60, "1414213562373095048801688724209698078569671875376948073176679"},
        {"sqrt(2)", 16, 50, "16A09E667F3BCC908B2FB1366EA957D3E3ADEC17512775099DA"},
        {"sin(1)", 10, 60, "841470984807896506652502321630298999622563060798371065672751"},
        {"sin(1)", 16, 50, "D76AA47848677020C6E9E909C50F3C3289E511132F518B4DEF"},
        {"(-pi)", 10, 0, "-3"},
        {"((-1)*sin(1))", 16, 3, "-D76"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Digits(Read(row.text), row.radix, row.k), row.digits) << row.text;
    T実数値 pi(Read("pi"), kNoCancel);
    EXPECT_EQ(pi.f符号(kNoCancel), 1);
}

// Values whose exact forms Calcium would let grow without end are refused at the node
// that passes a limit, partway along: a field with too many generators (a deeply nested
// root) and repeated squaring of a sum of roots.
TEST(Real, GrowthStopsAtALimit) {
    std::vector<P実数> nested{Q(2)}, squares{Read("(sqrt(3)+sqrt(2))")};
    for (int i = 0; i < 100; ++i)
        nested.push_back(f実数演算(E::m平方根, f実数演算(E::m加算, nested.back(), Q(1))));
    for (int i = 0; i < 40; ++i)
        squares.push_back(f実数演算(E::m乗算, squares.back(), squares.back()));
    for (const std::vector<P実数>* chain : {&nested, &squares}) {
        try {
            T実数値 v(chain->back(), kNoCancel);
            ADD_FAILURE() << "built";
        } catch (const E実数エラー& e) {
            EXPECT_EQ(Utf16ToUtf8(e.message()), "実数が大きすぎる");
            const auto at = std::find_if(chain->begin(), chain->end(),
                                         [&](const P実数& p) { return p.get() == e.p節点; });
            EXPECT_TRUE(at != chain->begin() && at != chain->end() && at + 1 != chain->end());
        }
    }
}

// Digits of random rationals and their square roots in random radices, against GMP:
// floor(|n/d| r^k) and floor(sqrt(n/d) r^k) = isqrt(floor(n r^2k / d)).
TEST(Real, RandomDigitsAgreeWithGmp) {
    std::mt19937_64 rng(20240611);
    mpz_t want, scale;
    mpz_inits(want, scale, nullptr);
    for (int i = 0; i < 150; ++i) {
        const int64_t n = static_cast<int64_t>(rng() % 2000001) - 1000000,
                      d = static_cast<int64_t>(rng() % 999) + 1;
        const int radix = static_cast<int>(rng() % 35) + 2, k = static_cast<int>(rng() % 40);
        const bool root = n > 0 && i % 2 == 0;
        mpz_ui_pow_ui(scale, static_cast<unsigned long>(radix),
                      static_cast<unsigned long>(root ? 2 * k : k));
        mpz_mul_si(want, scale, n < 0 ? -n : n);
        mpz_fdiv_q_ui(want, want, static_cast<unsigned long>(d));
        if (root) mpz_sqrt(want, want);
        char* s = mpz_get_str(nullptr, -radix, want);
        const std::string expected = (n < 0 && mpz_sgn(want) != 0 ? "-" : "") + std::string(s);
        std::free(s);
        const P実数 q = Q(n, d);
        const std::string got = Digits(root ? f実数演算(E::m平方根, q) : q, radix, k);
        ASSERT_EQ(got == "-0" ? "0" : got, expected)
            << n << "/" << d << " radix " << radix << " k " << k;
    }
    mpz_clears(want, scale, nullptr);
}

// On random rationals: each function's domain error exactly outside its real domain, the
// real cube root's sign, and identities the module proves exactly.
TEST(Real, RandomRationalsKeepTheRealConventions) {
    std::mt19937 rng(7);
    for (int i = 0; i < 120; ++i) {
        const int64_t n = static_cast<int64_t>(rng() % 81) - 40,
                      d = static_cast<int64_t>(rng() % 12) + 1;
        const std::string qText = n == 0 ? "0/1" : FractionText(f約分(f分数値(n, d), kNoCancel));
        const struct {
            E e;
            bool outside;
        } functions[] = {{E::m平方根, n < 0},
                         {E::m自然対数, n <= 0},
                         {E::m常用対数, n <= 0},
                         {E::m逆正弦, n > d || n < -d},
                         {E::m逆余弦, n > d || n < -d}};
        for (const auto& f : functions) {
            std::string node;
            const std::string error = BuildError(f実数演算(f.e, Q(n, d)), node);
            EXPECT_EQ(error.empty(), !f.outside)
                << f実数関数名(f.e) << " " << qText << " " << error;
        }
        const P実数 cube = f実数演算(E::m立方根, Q(n, d));
        EXPECT_EQ(T実数値(cube, kNoCancel).f符号(kNoCancel), (n > 0) - (n < 0)) << qText;
        EXPECT_EQ(RationalText(f実数演算(E::m累乗, cube, Q(3))), qText);
        const P実数 x = Q(n, d);
        const P実数 one = f実数演算(E::m加算, f実数演算(E::m累乗, f実数演算(E::m正弦, x), Q(2)),
                                    f実数演算(E::m累乗, f実数演算(E::m余弦, x), Q(2)));
        EXPECT_EQ(RationalText(one), "1/1") << qText;
        if (n > 0) {
            EXPECT_EQ(RationalText(f実数演算(E::m指数関数, f実数演算(E::m自然対数, x))), qText);
        }
    }
}

// A long expansion is abandoned on a cancel from another thread; the object keeps
// raising the cancel afterwards.
TEST(Real, CancelAbandonsALongExpansion) {
    T取消要求 request;
    const Tキャンセル検査 check(&request);
    T実数値 pi(Read("pi"), check);
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        request.f要求();
    });
    const auto start = std::chrono::steady_clock::now();
    bool negative = false;
    EXPECT_THROW(pi.f切捨桁(10, 10000000, negative, check), Eキャンセル指示);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start,
              std::chrono::seconds(4));  // a hang, not a time
    request.f取下げ();
    EXPECT_THROW(pi.f符号(check), Eキャンセル指示);
    // A cancel found before a job is posted abandons the helper in the same way.
    T実数値 root(Read("sqrt(2)"), check);
    request.f要求();
    T分数型 f;
    EXPECT_THROW(root.f有理(f, check), Eキャンセル指示);
    request.f取下げ();
    EXPECT_THROW(root.f切捨桁(10, 5, negative, check), Eキャンセル指示);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Whether the module is mapped into this process.
bool ModuleMapped() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("libtavelko-real.so") != std::string::npos) return true;
    }
    return false;
}

// Under a small address-space limit, a huge expansion raises std::bad_alloc from the
// helper, and again on the next call, instead of ending the process.
TEST(RealDeathTest, OutOfMemoryIsAnException) {
    if (kSanitized) GTEST_SKIP() << "the sanitizers reserve more address space than the limit";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto run = [] {
        T実数値 root(Read("sqrt(2)"), kNoCancel);
        std::ifstream statm("/proc/self/statm");
        rlim_t pages = 0;
        statm >> pages;
        const rlimit limit{pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20),
                           RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &limit);
        int caught = 0;
        for (int i = 0; i < 2; ++i) {
            try {
                bool negative = false;
                root.f切捨桁(10, 10000000000, negative, kNoCancel);
            } catch (const std::bad_alloc&) {
                ++caught;
            }
        }
        std::exit(caught == 2 ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

// Building trees and their text never opens the module; the first value does, and a
// module that cannot be opened is reported with the loader's reason.
TEST(RealDeathTest, TheModuleOpensOnFirstValue) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto lazy = [] {
        const P実数 p = f実数演算(E::m加算, Q(1), f実数演算(E::m平方根, Q(2)));
        const bool before = ModuleMapped() || f実数式文字列(p) != "(1+sqrt(2))";
        T実数値 v(p, kNoCancel);
        std::exit(!before && ModuleMapped() ? 0 : 1);
    };
    EXPECT_EXIT(lazy(), ::testing::ExitedWithCode(0), "");
    const auto missing = [] {
        setenv("TAVELKO_REAL_MODULE", "/nonexistent/libtavelko-real.so", 1);
        std::string reason;
        const bool usable = f実数モジュール利用可(&reason);
        try {
            T実数値 v(Q(2), kNoCancel);
        } catch (const E実数エラー& e) {
            const std::u16string want = u"実数モジュールを読み込めない: " + Utf8ToUtf16(reason);
            std::exit(!usable && !reason.empty() && e.message() == want ? 0 : 1);
        }
        std::exit(2);
    };
    EXPECT_EXIT(missing(), ::testing::ExitedWithCode(0), "");
}

// An installed tree: the program in bin/, the module under lib/<multiarch>/tavelko/ and
// none beside the program. A copy of this test program laid out that way finds it.
TEST(Real, InstalledLayoutIsFound) {
    if (std::getenv("TAVELKO_LAYOUT_CHILD") != nullptr) {
        EXPECT_TRUE(f実数モジュール利用可());
        EXPECT_TRUE(ModuleMapped());
        return;
    }
    namespace fs = std::filesystem;
    const fs::path self = fs::read_symlink("/proc/self/exe");
    const fs::path root =
        fs::path(::testing::TempDir()) / ("tavelko-layout-" + std::to_string(getpid()));
    const fs::path moduleDir = root / "bin" / TAVELKO_REAL_MODULE_SUBDIR;
    fs::create_directories(moduleDir);
    fs::copy_file(self, root / "bin" / "core_tests", fs::copy_options::overwrite_existing);
    fs::copy_file(self.parent_path() / "libtavelko-real.so", moduleDir / "libtavelko-real.so",
                  fs::copy_options::overwrite_existing);
    const std::string program = (root / "bin" / "core_tests").string();
    const std::string command = "env -u TAVELKO_REAL_MODULE TAVELKO_LAYOUT_CHILD=1 '" + program +
                                "' --gtest_filter=Real.InstalledLayoutIsFound >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    fs::remove_all(root);
}

}  // namespace
