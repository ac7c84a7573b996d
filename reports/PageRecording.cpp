#include "reports/PageRecording.h"

#include <algorithm>
#include <cstdint>

#include "base/Progress.h"

namespace {

// Layout units to the target's: truncated, as the reports' own divisions are.
class Scale {
public:
    Scale(const DeviceMetrics& from, const DeviceMetrics& to)
        : fromX_(from.dpiX), fromY_(from.dpiY), toX_(to.dpiX), toY_(to.dpiY) {}

    int X(int value) const { return Scaled(value, toX_, fromX_); }
    int Y(int value) const { return Scaled(value, toY_, fromY_); }
    Rect Box(const Rect& box) const { return {X(box.left), Y(box.top), X(box.right), Y(box.bottom)}; }
    // A font is never rounded up: enlarged text could wrap onto a line its row has no room for.
    FontSpec Font(FontSpec font) const {
        const int height = Y(font.height);
        font.height = font.height != 0 && height == 0 ? 1 : height;
        return font;
    }
    int PenWidth(int width) const { return std::max(1, X(width)); }

private:
    static int Scaled(int value, int to, int from) {
        if (from <= 0 || to <= 0 || to == from)
            return value;
        return static_cast<int>(std::int64_t{value} * to / from);
    }

    int fromX_, fromY_, toX_, toY_;
};

}  // namespace

PageRecording::PageRecording(DrawingSurface& layout) : layout_(layout), metrics_(layout.Metrics()) {}

FontMetrics PageRecording::UseFont(const FontSpec& font) {
    auto found = std::find(fonts_.begin(), fonts_.end(), font);
    if (found == fonts_.end())
        found = fonts_.insert(fonts_.end(), font);
    Step step;
    step.kind = Kind::Font;
    step.flags = static_cast<unsigned>(found - fonts_.begin());
    Current().push_back(std::move(step));
    return layout_.UseFont(font);
}

int PageRecording::TextWidth(std::wstring_view text) {
    return layout_.TextWidth(text);
}

int PageRecording::TextHeight(std::wstring_view text, int width, unsigned flags) {
    return layout_.TextHeight(text, width, flags);
}

int PageRecording::DrawTextInBox(std::wstring_view text, const Rect& box, unsigned flags) {
    Step step;
    step.kind = Kind::Text;
    step.text = text;
    step.box = box;
    step.flags = flags;
    Current().push_back(std::move(step));
    return layout_.TextHeight(text, box.Width(), flags);
}

void PageRecording::DrawLine(int x0, int y0, int x1, int y1, int penWidth) {
    Step step;
    step.kind = Kind::Line;
    step.box = {x0, y0, x1, y1};
    step.flags = static_cast<unsigned>(penWidth);
    Current().push_back(std::move(step));
}

PictureSize PageRecording::MeasurePicture(std::span<const std::uint8_t> bytes) {
    return layout_.MeasurePicture(bytes);
}

void PageRecording::DrawPicture(std::span<const std::uint8_t> bytes, const Rect& box) {
    Step step;
    step.kind = Kind::Picture;
    step.box = box;
    step.bytes.assign(bytes.begin(), bytes.end());
    Current().push_back(std::move(step));
}

void PageRecording::DrawRequestedPicture(const PictureRequest& request) {
    Step step;
    step.kind = Kind::PictureRequest;
    step.request = request;
    Current().push_back(std::move(step));
}

bool PageRecording::StartPage() {
    if (static_cast<int>(pages_.size()) == pagesEnded_)
        pages_.emplace_back();
    return true;
}

bool PageRecording::EndPage() {
    pagesEnded_ = static_cast<int>(pages_.size());
    return true;
}

void PageRecording::DrawPageOn(int page, DrawingSurface& target) const {
    if (page < 0 || page >= pagesEnded_)
        return;
    const Scale scale(metrics_, target.Metrics());
    for (const Step& step : pages_[static_cast<size_t>(page)]) {
        switch (step.kind) {
            case Kind::Font:
                target.UseFont(scale.Font(fonts_[step.flags]));
                break;
            case Kind::Text:
                target.DrawTextInBox(step.text, scale.Box(step.box), step.flags);
                break;
            case Kind::Line:
                target.DrawLine(scale.X(step.box.left), scale.Y(step.box.top), scale.X(step.box.right),
                                scale.Y(step.box.bottom), scale.PenWidth(static_cast<int>(step.flags)));
                break;
            case Kind::Picture:
                target.DrawPicture(step.bytes, scale.Box(step.box));
                break;
            case Kind::PictureRequest: {
                const auto place = step.request.place;
                target.DrawRequestedPicture({step.request.bytes, [place, scale](PictureSize size) {
                                                 std::optional<Rect> box = place(size);
                                                 if (box)
                                                     box = scale.Box(*box);
                                                 return box;
                                             }});
                break;
            }
        }
    }
}

ReportOutcome PrintRecordedPages(const PageRecording& recording, DrawingSurface& target, ProgressSink* progress) {
    ProgressThrottle throttle(progress);
    const int count = recording.PageCount();
    ReportOutcome outcome;
    if (count == 0) {
        outcome.stopped = !target.EndPage();
        return outcome;
    }
    for (int page = 0; page < count; ++page) {
        if (page > 0 && !target.StartPage()) {
            outcome.stopped = true;
            break;
        }
        recording.DrawPageOn(page, target);
        if (!target.EndPage()) {
            outcome.stopped = true;
            break;
        }
        ++outcome.pages;
        throttle.Report(page + 1, count, 0, 100);
    }
    return outcome;
}
