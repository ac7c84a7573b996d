#pragma once

// Where long operations report how far they are, in percent (the please-wait dialog).
class ProgressSink {
public:
    virtual void ReportProgress(int percent) = 0;

protected:
    ~ProgressSink() = default;
};
