// The timing of a JPEG benchmark's loop: each pass of `for (auto _ : state)`
// runs its work through Laufzeit::messen, which keeps the wall time of every
// run. The shortest run is the codec's speed (the others lost time to the
// machine's other work); the median is there for runs compared build by
// build.
#pragma once

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

class Laufzeit {
  public:
    // Runs f() once, timed; returns what f returns.
    template <class F>
    decltype(auto) messen(F&& f) {
        const auto start = std::chrono::steady_clock::now();
        struct Stoppuhr {
            std::vector<double>& sekunden;
            std::chrono::steady_clock::time_point start;
            ~Stoppuhr() {
                sekunden.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            }
        } uhr{sekunden_, start};
        return std::forward<F>(f)();
    }
    bool leer() const { return sekunden_.empty(); }
    // Seconds of the shortest run (a huge number before the first).
    double kuerzeste() const { return sekunden_.empty() ? 1e9 : *std::min_element(sekunden_.begin(), sekunden_.end()); }
    double median() const {
        if (sekunden_.empty()) return 0;
        std::vector<double> s = sekunden_;
        std::nth_element(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(s.size() / 2), s.end());
        return s[s.size() / 2];
    }
    // Megapixels a second of the shortest run over a picture of w x h.
    double mp_pro_s(double w, double h) const { return w * h / 1e6 / kuerzeste(); }

  private:
    std::vector<double> sekunden_;
};
