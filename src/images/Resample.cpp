// The modifier's resampling: two separable passes with fixed-point weights.

#include "images/ImageOps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace {

constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;

struct Filter {
    double support;
    double (*weight)(double t);
};

double Box(double t) {
    return (t >= -0.5 && t < 0.5) ? 1.0 : 0.0;
}
double Triangle(double t) {
    t = std::abs(t);
    return t < 1.0 ? 1.0 - t : 0.0;
}
double Hermite(double t) {
    t = std::abs(t);
    return t < 1.0 ? (2.0 * t - 3.0) * t * t + 1.0 : 0.0;
}
double Bell(double t) {
    t = std::abs(t);
    if (t < 0.5) return 0.75 - t * t;
    if (t < 1.5) return 0.5 * (t - 1.5) * (t - 1.5);
    return 0.0;
}
double BSpline(double t) {
    t = std::abs(t);
    if (t < 1.0) return (0.5 * t - 1.0) * t * t + 2.0 / 3.0;
    if (t < 2.0) return (2.0 - t) * (2.0 - t) * (2.0 - t) / 6.0;
    return 0.0;
}
double Sinc(double x) {
    if (x == 0.0) return 1.0;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}
double Lanczos3(double t) {
    return std::abs(t) < 3.0 ? Sinc(t) * Sinc(t / 3.0) : 0.0;
}
double Mitchell(double t) {
    constexpr double B = 1.0 / 3.0, C = 1.0 / 3.0;
    t = std::abs(t);
    if (t < 1.0)
        return ((12 - 9 * B - 6 * C) * t * t * t + (-18 + 12 * B + 6 * C) * t * t + (6 - 2 * B)) /
               6.0;
    if (t < 2.0)
        return ((-B - 6 * C) * t * t * t + (6 * B + 30 * C) * t * t + (-12 * B - 48 * C) * t +
                (8 * B + 24 * C)) /
               6.0;
    return 0.0;
}

constexpr Filter kFilters[] = {{0.5, Box},     {1.0, Triangle}, {1.0, Hermite}, {1.5, Bell},
                               {2.0, BSpline}, {3.0, Lanczos3}, {2.0, Mitchell}};

/// The source pixels and weights of every destination pixel along one axis: a contiguous
/// run start[i] .. start[i] + count[i] - 1, weights in fixed point summing to kWeightOne.
struct Contributions {
    std::vector<int> start;
    std::vector<int> count;
    std::vector<int> offset;
    std::vector<int32_t> weights;
};

int MirrorIndex(int j, int n) {
    if (j < 0) j = -j;
    if (j >= n) j = n - 1 - (j - n);
    return std::clamp(j, 0, n - 1);
}

Contributions Weigh(int sourceN, int destN, const Filter& filter) {
    Contributions c;
    c.start.resize(destN);
    c.count.resize(destN);
    c.offset.resize(destN);
    const double scale = double(sourceN) / destN;
    const double stretch = std::max(1.0, scale);
    const double support = filter.support * stretch;
    std::vector<double> folded;
    for (int i = 0; i < destN; ++i) {
        const double centre = (i + 0.5) * scale;
        const int left = int(std::floor(centre - support));
        const int right = int(std::ceil(centre + support));
        // Mirrored positions fold onto pixels inside the image, so each run stays contiguous.
        int lo = sourceN, hi = -1;
        for (int j = left; j <= right; ++j) {
            const int m = MirrorIndex(j, sourceN);
            lo = std::min(lo, m);
            hi = std::max(hi, m);
        }
        folded.assign(size_t(hi - lo + 1), 0.0);
        double sum = 0.0;
        for (int j = left; j <= right; ++j) {
            const double w = filter.weight((j + 0.5 - centre) / stretch);
            folded[size_t(MirrorIndex(j, sourceN) - lo)] += w;
            sum += w;
        }
        c.start[i] = lo;
        c.count[i] = hi - lo + 1;
        c.offset[i] = int(c.weights.size());
        if (std::abs(sum) < 1e-12) {
            // No pixel in reach weighs anything: take the one under the centre.
            folded.assign(folded.size(), 0.0);
            folded[size_t(std::clamp(int(centre), lo, hi) - lo)] = 1.0;
            sum = 1.0;
        }
        int total = 0;
        size_t heaviest = 0;
        for (size_t k = 0; k < folded.size(); ++k) {
            const int32_t w = int32_t(std::lround(folded[k] / sum * kWeightOne));
            c.weights.push_back(w);
            total += w;
            if (std::abs(folded[k]) > std::abs(folded[heaviest])) heaviest = k;
        }
        // Rounding may leave the sum a little off one: the heaviest tap takes the rest.
        c.weights[size_t(c.offset[i]) + heaviest] += kWeightOne - total;
    }
    return c;
}

inline uint8_t Settle(int32_t sum) {
    return uint8_t(std::clamp((sum + (kWeightOne >> 1)) >> kWeightBits, 0, 255));
}

class Progress {
public:
    Progress(const std::function<void(int)>& report, int total) : m_report(report), m_total(total) {
        if (m_report) m_report(0);
    }
    void row() {
        ++m_done;
        if (!m_report) return;
        const int percent = int(qint64(m_done) * 100 / m_total);
        if (percent != m_last) {
            m_last = percent;
            m_report(percent);
        }
    }

private:
    const std::function<void(int)>& m_report;
    int m_total;
    int m_done = 0;
    int m_last = 0;
};

} // namespace

QImage Resample(const QImage& image, int w, int h, int filterIndex,
                const std::function<void(int percent)>& progress) {
    if (w <= 0 || h <= 0 || image.isNull()) return {};
    const Filter& filter = kFilters[std::clamp(filterIndex, 0, int(std::size(kFilters)) - 1)];
    const QImage source = image.convertToFormat(QImage::Format_RGB888);
    const int sw = source.width(), sh = source.height();
    QImage result(w, h, QImage::Format_RGB888);
    if (result.isNull()) return {};
    Progress rows(progress, sh + h);

    const Contributions across = Weigh(sw, w, filter);
    std::vector<uint8_t> middle(size_t(w) * 3 * size_t(sh));
    for (int y = 0; y < sh; ++y) {
        const uint8_t* in = source.constScanLine(y);
        uint8_t* out = middle.data() + size_t(y) * 3 * size_t(w);
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = in + 3 * across.start[x];
            const int32_t* weight = across.weights.data() + across.offset[x];
            int32_t r = 0, g = 0, b = 0;
            for (int k = 0; k < across.count[x]; ++k, p += 3) {
                r += weight[k] * p[0];
                g += weight[k] * p[1];
                b += weight[k] * p[2];
            }
            out[3 * x] = Settle(r);
            out[3 * x + 1] = Settle(g);
            out[3 * x + 2] = Settle(b);
        }
        rows.row();
    }

    const Contributions down = Weigh(sh, h, filter);
    const size_t rowBytes = size_t(w) * 3;
    std::vector<int32_t> sum(rowBytes);
    for (int y = 0; y < h; ++y) {
        std::fill(sum.begin(), sum.end(), 0);
        const int32_t* weight = down.weights.data() + down.offset[y];
        for (int k = 0; k < down.count[y]; ++k) {
            const uint8_t* in = middle.data() + size_t(down.start[y] + k) * rowBytes;
            const int32_t wk = weight[k];
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] += wk * in[i];
        }
        uint8_t* out = result.scanLine(y);
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = Settle(sum[i]);
        rows.row();
    }
    return result;
}
