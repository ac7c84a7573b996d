#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Progress.h"
#include "catalog/PictureFiles.h"
#include "catalog/Settings.h"

class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalTime time) : time_(time) {}
    LocalTime Now() const override { return time_; }

private:
    LocalTime time_;
};

class FixedScreen : public ScreenMetrics {
public:
    FixedScreen(int width = 1024, int height = 768) : width_(width), height_(height) {}
    int ScreenWidth() const override { return width_; }
    int ScreenHeight() const override { return height_; }

private:
    int width_;
    int height_;
};

class RecordedProgress : public ProgressSink {
public:
    void ReportProgress(int percent) override { percents.push_back(percent); }
    std::vector<int> percents;
};

// Writes pictures as they are, and remembers where.
class RecordingPictureWriter : public PictureFileWriter {
public:
    bool WritePicture(const std::wstring& path, const std::vector<std::uint8_t>& bytes) override {
        paths.push_back(path);
        return !fail && raw.WritePicture(path, bytes);
    }
    std::vector<std::wstring> paths;
    bool fail = false;

private:
    RawPictureFileWriter raw;
};
