// A small stand-in for libFuzzer, used when the fuzz targets are built with
// g++ for the smoke runs of `make test`.
//
//   fuzz_X [-max_total_time=N] [-seed=N] [-malloc_limit_mb=N] [file-or-folder ...]
//
// Every file named (folders: every file inside, sorted) is run once; then
// mutated copies of them, or random inputs when none were named, are run
// until the time budget is spent. The mutation stream is seeded, so a crash
// can be replayed with the same seed. When the sanitizer stops the program,
// the input that did it is written to ./crash-input. Under the sanitizer, a
// single allocation above -malloc_limit_mb stops the run as libFuzzer's does:
// a reader must size what it allocates by what its input can hold.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)(void));
extern "C" __attribute__((weak)) int __sanitizer_install_malloc_and_free_hooks(
    void (*malloc_hook)(const volatile void*, size_t), void (*free_hook)(const volatile void*));
extern "C" __attribute__((weak)) void __sanitizer_print_stack_trace();

namespace {

const std::vector<uint8_t>* g_current = nullptr;

void save_current_input() {
    if (!g_current) return;
    if (FILE* f = std::fopen("crash-input", "wb")) {
        std::fwrite(g_current->data(), 1, g_current->size(), f);
        std::fclose(f);
    }
}

std::vector<uint8_t> read_file(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

size_t g_malloc_limit = 0;
bool g_in_limit_report = false;

void malloc_limit_hook(const volatile void*, size_t size) {
    if (g_malloc_limit == 0 || size <= g_malloc_limit || g_in_limit_report) return;
    g_in_limit_report = true;
    std::fprintf(stderr, "==fuzz== malloc(%zu) exceeds the limit of %zu MB\n", size, g_malloc_limit >> 20);
    if (__sanitizer_print_stack_trace) __sanitizer_print_stack_trace();
    save_current_input();
    std::_Exit(1);
}

void run_one(const std::vector<uint8_t>& input) {
    g_current = &input;
    // Copy into an exactly sized heap block so that over-reads are caught.
    uint8_t* buf = static_cast<uint8_t*>(std::malloc(input.empty() ? 1 : input.size()));
    if (!input.empty()) std::memcpy(buf, input.data(), input.size());
    LLVMFuzzerTestOneInput(buf, input.size());
    std::free(buf);
}

void mutate(std::vector<uint8_t>& v, std::mt19937_64& rng, const std::vector<std::vector<uint8_t>>& pool) {
    int steps = 1 + static_cast<int>(rng() % 8);
    for (int s = 0; s < steps; ++s) {
        switch (rng() % 8) {
            case 0:  // flip a bit
                if (!v.empty()) v[rng() % v.size()] ^= static_cast<uint8_t>(1u << (rng() % 8));
                break;
            case 1:  // random byte
                if (!v.empty()) v[rng() % v.size()] = static_cast<uint8_t>(rng());
                break;
            case 2: {  // interesting byte values
                static const uint8_t special[] = {0,   1,   0x7f, 0x80, 0xff, 0xfe, '\n',
                                                  '"', ',', '#',  '=',  0xd8, 0xc4, 0xda};
                if (!v.empty()) v[rng() % v.size()] = special[rng() % sizeof special];
                break;
            }
            case 3:  // truncate
                if (!v.empty()) v.resize(rng() % v.size());
                break;
            case 4: {  // insert random bytes
                size_t pos = v.empty() ? 0 : rng() % (v.size() + 1);
                size_t n = 1 + rng() % 16;
                for (size_t i = 0; i < n; ++i)
                    v.insert(v.begin() + static_cast<long>(pos), static_cast<uint8_t>(rng()));
                break;
            }
            case 5: {  // erase a range
                if (v.size() > 1) {
                    size_t pos = rng() % v.size();
                    size_t n = 1 + rng() % std::min<size_t>(64, v.size() - pos);
                    v.erase(v.begin() + static_cast<long>(pos), v.begin() + static_cast<long>(pos + n));
                }
                break;
            }
            case 6: {  // duplicate a range
                if (!v.empty() && v.size() < (1u << 20)) {
                    size_t pos = rng() % v.size();
                    size_t n = 1 + rng() % std::min<size_t>(256, v.size() - pos);
                    std::vector<uint8_t> part(v.begin() + static_cast<long>(pos),
                                              v.begin() + static_cast<long>(pos + n));
                    v.insert(v.begin() + static_cast<long>(rng() % (v.size() + 1)), part.begin(), part.end());
                }
                break;
            }
            case 7: {  // splice with another input
                if (!pool.empty()) {
                    const auto& o = pool[rng() % pool.size()];
                    if (!o.empty() && !v.empty()) {
                        size_t a = rng() % v.size(), b = rng() % o.size();
                        v.resize(a);
                        v.insert(v.end(), o.begin() + static_cast<long>(b), o.end());
                    }
                }
                break;
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(save_current_input);
    double budget = 10.0;
    uint64_t seed = 12345;
    std::vector<std::vector<uint8_t>> pool;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a.rfind("-max_total_time=", 0) == 0) {
            budget = std::atof(a.c_str() + 16);
        } else if (a.rfind("-seed=", 0) == 0) {
            seed = std::strtoull(a.c_str() + 6, nullptr, 10);
        } else if (a.rfind("-malloc_limit_mb=", 0) == 0) {
            g_malloc_limit = static_cast<size_t>(std::strtoull(a.c_str() + 17, nullptr, 10)) << 20;
        } else if (a.rfind("-", 0) == 0) {
            // other libFuzzer flags are accepted and ignored
        } else if (std::filesystem::is_directory(a)) {
            std::vector<std::filesystem::path> files;
            for (auto& e : std::filesystem::recursive_directory_iterator(a))
                if (e.is_regular_file()) files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (auto& f : files) pool.push_back(read_file(f));
        } else if (std::filesystem::exists(a)) {
            pool.push_back(read_file(a));
        }
    }
    if (g_malloc_limit && __sanitizer_install_malloc_and_free_hooks)
        __sanitizer_install_malloc_and_free_hooks(malloc_limit_hook, nullptr);
    for (const auto& in : pool) run_one(in);

    std::mt19937_64 rng(seed);
    auto start = std::chrono::steady_clock::now();
    long runs = 0;
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < budget) {
        std::vector<uint8_t> in;
        if (pool.empty() || rng() % 16 == 0) {
            in.resize(rng() % 512);
            for (auto& b : in) b = static_cast<uint8_t>(rng());
        } else {
            in = pool[rng() % pool.size()];
        }
        mutate(in, rng, pool);
        run_one(in);
        ++runs;
    }
    std::printf("fuzz smoke (seed %llu): %zu seed inputs, %ld mutated runs, no crash\n",
                static_cast<unsigned long long>(seed), pool.size(), runs);
    return 0;
}
