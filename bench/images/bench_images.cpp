// Picture work on the 12-megapixel photos: resampling photo01.bmp to 1000 x 750 including
// reading it, against ImageMagick single-threaded on the same file; decoding a JPEG for a
// fitted view against djpeg; and the modifier's colour operations.

#include "images/ImageOps.h"
#include "images/PictureFiles.h"

#include "BenchData.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 3;

QString Photos() {
    return BenchData("photos", "make-photos", [](const QString& folder) {
        return QFileInfo(folder + "/photo01.bmp").size() > 30'000'000 &&
               QFileInfo::exists(folder + "/photo09.jpg");
    });
}

double Time(const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        seconds.push_back(clock.nsecsElapsed() / 1e9);
    }
    return Median(seconds);
}

double TimeTool(const QString& program, const QStringList& arguments) {
    return Time([&] {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("MAGICK_THREAD_LIMIT", "1");
        tool.setProcessEnvironment(environment);
        tool.start(program, arguments);
        tool.waitForFinished(-1);
        if (tool.exitCode() != 0) std::printf("%s failed\n", qPrintable(program));
    });
}

void Report(const char* name, double ours, double theirs, const char* tool, double goal) {
    std::printf("%s: %.3f s, %s %.3f s, ratio %.2f (goal <= %.1f)\n", name, ours, tool, theirs,
                ours / theirs, goal);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = Photos();
    const QString bmp = folder + "/photo01.bmp";
    const QString jpeg = folder + "/photo02.jpg";
    if (!QFileInfo::exists(bmp)) {
        std::printf("no photos in %s\n", qPrintable(folder));
        return 1;
    }

    struct Case {
        const char* name;
        int filter;
        const char* magick;
    };
    const Case cases[] = {{"resample_lanczos3", 5, "Lanczos"},
                          {"resample_mitchell", 6, "Mitchell"},
                          {"resample_triangle", 1, "Triangle"}};
    for (const Case& c : cases) {
        const double ours = Time([&] {
            const QImage image = LoadPicture(bmp);
            if (Resample(image, 1000, 750, c.filter).isNull()) std::printf("resample failed\n");
        });
        const double theirs = TimeTool("/usr/bin/convert",
                                       {bmp, "-filter", c.magick, "-resize", "1000x750!", "null:"});
        Report(c.name, ours, theirs, "convert", 1.0);
    }

    const double fitted = Time([&] {
        if (LoadJpeg(jpeg, QSize(1000, 750)).isNull()) std::printf("jpeg failed\n");
    });
    const double djpeg = TimeTool("/usr/bin/djpeg", {"-outfile", "/dev/null", jpeg});
    Report("jpeg_fitted_decode", fitted, djpeg, "djpeg", 1.2);

    QImage photo = LoadPicture(bmp).convertToFormat(QImage::Format_RGB888);
    std::printf("grayscale_12mp: %.3f s (goal < 0.1)\n", Time([&] { Grayscale(photo, QRect()); }));
    std::printf("negative_12mp: %.3f s (goal < 0.1)\n", Time([&] { Negative(photo, QRect()); }));
    std::printf("contrast_12mp: %.3f s (goal < 0.1)\n",
                Time([&] { Contrast(photo, 40, QRect()); }));
    return 0;
}
