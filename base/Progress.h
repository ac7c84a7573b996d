#pragma once

// Where long operations report how far they are, in percent (the please-wait dialog).
class ProgressSink {
public:
    virtual void ReportProgress(int percent) = 0;

protected:
    ~ProgressSink() = default;
};

// Passes a report on only when the whole percentage changes: readers and writers report for
// every element or row, and each report that gets through wakes the please-wait dialog across
// threads. Every operation that reports puts one of these in front of its sink.
class ProgressThrottle final : public ProgressSink {
public:
    explicit ProgressThrottle(ProgressSink* sink) : sink_(sink) {}

    void ReportProgress(int percent) override {
        if (sink_ != nullptr && percent != last_) {
            last_ = percent;
            sink_->ReportProgress(percent);
        }
    }
    // The part of the whole as a share of span percent, counted from base.
    void Report(long long part, long long whole, int base, int span) {
        ReportProgress(base + static_cast<int>(part * span / whole));
    }

private:
    ProgressSink* sink_;
    int last_ = -1;
};
