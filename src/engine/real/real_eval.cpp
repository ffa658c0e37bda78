// Deciding and expanding real values through the real-number module: opening the module
// on first use, flattening a tree into the module's program, and the helper thread that
// owns a value's Calcium context while the calculating thread waits for it and watches
// for a cancel.
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <new>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "common/shared_library.h"
#include "common/utf.h"
#include "engine/number/huge.h"
#include "engine/real/real.h"

namespace {

constexpr char kModuleFile[] = "libtavelko-real.so";

// The module's allocations raise std::bad_alloc where FLINT would end the process, as the
// engine's GMP allocations do; FLINT's other aborts come from sizes beyond its limits.
void* ModuleAlloc(size_t n) {
    void* p = std::malloc(n);
    if (p == nullptr && n != 0) throw std::bad_alloc();
    return p;
}
void* ModuleCalloc(size_t n, size_t size) {
    void* p = std::calloc(n, size);
    if (p == nullptr && n != 0 && size != 0) throw std::bad_alloc();
    return p;
}
void* ModuleRealloc(void* p, size_t n) {
    void* q = std::realloc(p, n);
    if (q == nullptr && n != 0) throw std::bad_alloc();
    return q;
}
void ModuleFree(void* p) {
    std::free(p);
}
[[noreturn]] void ModuleAbort() {
    throw std::bad_alloc();
}

constexpr tv_real_hooks kHooks{ModuleAlloc, ModuleCalloc, ModuleRealloc, ModuleFree, ModuleAbort};

// The module once opened: its interface, or why it could not be opened.
struct TModule {
    const tv_real_api* api = nullptr;
    std::string reason;
};

// The places the module may be: the one the environment names (tests), else beside the
// program (a build tree), else the installed layout relative to the program.
std::vector<std::string> ModuleCandidates() {
    if (const char* path = std::getenv("TAVELKO_REAL_MODULE"); path != nullptr && *path != '\0')
        return {path};
    const std::string dir = f実行ファイル位置();
    return {dir + kModuleFile, dir + TAVELKO_REAL_MODULE_SUBDIR "/" + kModuleFile};
}

// Opens the first candidate that exists and installs the hooks.
TModule OpenModule() {
    TModule m;
    const std::vector<std::string> candidates = ModuleCandidates();
    for (const std::string& path : candidates) {
        if (candidates.size() > 1 && access(path.c_str(), F_OK) != 0) continue;
        void* handle = f共有ライブラリ読込(path.c_str(), m.reason);
        const tv_real_api* (*entry)() = nullptr;
        if (handle == nullptr) return m;
        if (!f関数解決(handle, "tavelko_real_api", entry)) {
            m.reason = path + ": no tavelko_real_api";
            return m;
        }
        m.api = entry();
        m.api->init(&kHooks);
        return m;
    }
    m.reason = std::string(kModuleFile) + " is neither beside the program nor installed";
    return m;
}

const TModule& Module() {
    static const TModule module = OpenModule();
    return module;
}

// The module's program of a tree: every distinct node once, operands first, with the
// node of each op kept to report errors.
struct TProgram {
    std::vector<tv_real_op> ops;
    std::vector<const T実数式*> nodes;
};

// Flattens the tree without recursion (trees may be deep); shared nodes become one op.
TProgram Flatten(const T実数式& root) {
    TProgram prog;
    std::unordered_map<const T実数式*, long> index;
    std::vector<std::pair<const T実数式*, bool>> stack{{&root, false}};
    const auto at = [&](const P実数& p) { return p ? index.at(p.get()) : -1L; };
    while (!stack.empty()) {
        auto [x, expanded] = stack.back();
        if (index.count(x) != 0) {
            stack.pop_back();
        } else if (!expanded) {
            stack.back().second = true;
            if (x->pB) stack.emplace_back(x->pB.get(), false);
            if (x->pA) stack.emplace_back(x->pA.get(), false);
        } else {
            stack.pop_back();
            const bool leaf = x->e演算 == E実数演算::m有理;
            prog.ops.push_back({static_cast<int>(x->e演算), at(x->pA), at(x->pB),
                                leaf ? x->z分子 : nullptr, leaf ? x->z分母 : nullptr});
            index.emplace(x, static_cast<long>(prog.nodes.size()));
            prog.nodes.push_back(x);
        }
    }
    return prog;
}

// The user's text of a status the module gave for a node.
std::u16string ErrorText(int status, const T実数式& x) {
    switch (status) {
        case TV_IMAGINARY:
            return u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!";
        case TV_TOO_LARGE:
            return u"実数が大きすぎる";
        case TV_DOMAIN:
            if (x.e演算 != E実数演算::m除算)
                return u"定義域外の引数: " + Utf8ToUtf16(f実数関数名(x.e演算));
            [[fallthrough]];
        default:
            return u"ゼロ除算";
    }
}

// The jobs a helper does.
enum class EJob { kNone, kBuild, kRational, kSign, kDigits, kQuit };

}  // namespace

bool f実数モジュール利用可(std::string* ps理由) {
    const TModule& m = Module();
    if (m.api == nullptr && ps理由 != nullptr) *ps理由 = m.reason;
    return m.api != nullptr;
}

// The state a value's helper thread and its caller share. The job's inputs and outputs
// are written by one side at a time: the caller before posting, the helper until it
// reports the job done (both under the mutex).
struct T実数値::T作業者 {
    const tv_real_api* api;
    P実数 root;  // keeps the nodes, whose numbers the program points at, alive
    TProgram prog;
    std::thread thread;

    std::mutex m;
    std::condition_variable cv;
    EJob job = EJob::kNone;
    bool done = false;
    bool abandoned = false;
    std::exception_ptr error;  // a job's exception, raised again by every later call

    // The jobs' inputs and outputs.
    int status = TV_OK;
    size_t failed = 0;
    int answer = 0;
    int radix = 10;
    long digits = 0, prec = 0;
    int negative = 0;
    mpz_t a, b;

    // The helper's own: the context, and whether an exception may have left it broken.
    tv_real_ctx* ctx = nullptr;
    bool broken = false;

    // The caller's own.
    bool cancelled = false;
    std::optional<int> sign;
    std::optional<std::optional<T分数型>> fraction;
    std::optional<uint64_t> integerBits;

    T作業者(const tv_real_api* p, P実数 r) : api(p), root(std::move(r)), prog(Flatten(*root)) {
        mpz_init(a);
        mpz_init(b);
    }
    ~T作業者() {
        mpz_clear(a);
        mpz_clear(b);
    }

    // Helper: runs one job on the context.
    void Run(EJob j) {
        switch (j) {
            case EJob::kBuild:
                ctx = api->create();
                status = api->build(ctx, prog.ops.data(), prog.ops.size(), &failed);
                break;
            case EJob::kRational:
                answer = api->rational(ctx, a, b);
                break;
            case EJob::kSign:
                answer = api->sign(ctx);
                break;
            case EJob::kDigits:
                answer = api->digits(ctx, radix, digits, prec, a, &negative);
                break;
            default:
                break;
        }
    }

    // Helper: the thread's body, taking jobs until told to quit or abandoned; then frees
    // the context (unless an exception may have broken it) and the thread's caches.
    static void Serve(std::shared_ptr<T作業者> w) {
        std::unique_lock lock(w->m);
        while (true) {
            w->cv.wait(lock, [&] { return w->job != EJob::kNone || w->abandoned; });
            if (w->abandoned || w->job == EJob::kQuit) break;
            const EJob j = w->job;
            lock.unlock();
            std::exception_ptr e;
            try {
                w->Run(j);
            } catch (...) {
                e = std::current_exception();
            }
            lock.lock();
            if (e) w->error = e, w->broken = true;
            w->job = EJob::kNone;
            w->done = true;
            w->cv.notify_all();
        }
        lock.unlock();
        try {
            if (w->ctx != nullptr && !w->broken) w->api->destroy(w->ctx);
            w->api->thread_end();
        } catch (...) {
        }
    }

    // Caller: posts a job and waits for it, checking for a cancel every 2 ms.
    void Ask(EJob j, const Tキャンセル検査& check) {
        Check(check);
        std::unique_lock lock(m);
        if (error) std::rethrow_exception(error);
        job = j;
        done = false;
        cv.notify_all();
        while (!cv.wait_for(lock, std::chrono::milliseconds(2), [&] { return done; })) {
            lock.unlock();
            Check(check);
            lock.lock();
        }
        if (error) std::rethrow_exception(error);
    }

    // Caller: a cancellation point; a cancel (or anything the check raises) abandons the
    // helper, and every later call raises the cancel again.
    void Check(const Tキャンセル検査& check) {
        if (cancelled) throw Eキャンセル指示();
        try {
            check();
        } catch (...) {
            Abandon();
            throw;
        }
    }

    // Caller: leaves the helper to end by itself once its current job is over.
    void Abandon() {
        {
            std::lock_guard lock(m);
            abandoned = true;
        }
        cv.notify_all();
        cancelled = true;
        thread.detach();
    }

    // Caller: ends an idle helper and waits for it (an abandoned one is on its own).
    void Stop() {
        if (cancelled || !thread.joinable()) return;
        {
            std::lock_guard lock(m);
            job = EJob::kQuit;
        }
        cv.notify_all();
        thread.join();
    }

    // Caller: floor(|x| radix^k) at a working precision of prec bits, when it decides.
    bool TryDigits(int r, long k, long p, const Tキャンセル検査& check) {
        fビット数検査(static_cast<uint64_t>(p));
        radix = r, digits = k, prec = p;
        Ask(EJob::kDigits, check);
        return answer != 0;
    }
};

T実数値::T実数値(P実数 p, const Tキャンセル検査& check) {
    const TModule& module = Module();
    if (module.api == nullptr)
        throw E実数エラー(u"実数モジュールを読み込めない: " + Utf8ToUtf16(module.reason), p.get());
    auto w = std::make_shared<T作業者>(module.api, std::move(p));
    w->thread = std::thread(T作業者::Serve, w);
    p作業者_ = w;
    try {
        w->Ask(EJob::kBuild, check);
    } catch (...) {
        w->Stop();
        throw;
    }
    if (w->status != TV_OK) {
        const T実数式& node = *w->prog.nodes.at(w->failed);
        w->Stop();
        throw E実数エラー(ErrorText(w->status, node), &node);
    }
}

T実数値::~T実数値() {
    p作業者_->Stop();
}

bool T実数値::f有理(T分数型& rt値, const Tキャンセル検査& check) {
    T作業者& w = *p作業者_;
    if (!w.fraction) {
        w.Ask(EJob::kRational, check);
        w.fraction.emplace();
        if (w.answer != 0)
            w.fraction->emplace(T分数型{T整数型::f取込(w.a), T整数型::f取込(w.b), true});
    }
    if (!*w.fraction) return false;
    rt値 = **w.fraction;
    return true;
}

int T実数値::f符号(const Tキャンセル検査& check) {
    T作業者& w = *p作業者_;
    if (!w.sign) {
        w.Ask(EJob::kSign, check);
        w.sign = w.answer;
    }
    return *w.sign;
}

T整数型 T実数値::f切捨桁(int32_t vi基数, int64_t vl桁, bool& rb負, const Tキャンセル検査& check) {
    if (vi基数 < 2 || vi基数 > 36 || vl桁 < 0) throw E範囲エラー();
    T作業者& w = *p作業者_;
    if (!w.integerBits) {
        // The integer part's size sets the precision the digits need.
        for (long prec = 64; !w.TryDigits(2, 0, prec, check); prec *= 2) w.Check(check);
        w.integerBits = mpz_sizeinbase(w.a, 2);
    }
    const double digitBits = static_cast<double>(vl桁) * f基数2進対数(vi基数);
    fビット数検査(static_cast<uint64_t>(digitBits));
    const long base = static_cast<long>(digitBits) + static_cast<long>(*w.integerBits) + 2;
    for (long guard = 64; !w.TryDigits(vi基数, static_cast<long>(vl桁), base + guard, check);
         guard *= 2) {
        w.Check(check);
    }
    rb負 = w.negative != 0;
    return T整数型::f取込(w.a);
}
