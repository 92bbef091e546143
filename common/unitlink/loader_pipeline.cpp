#include "unitlink/loader_pipeline.h"

#include <algorithm>

namespace velmar::unitlink {

namespace {
constexpr char kCR = '\r';
}

void LoaderPipeline::queue(std::string_view command, size_t replyBytes, bool ack, uint32_t limitMs)
{
    unsent_.append(command);
    expected_.push_back(Expected{replyBytes, ack, limitMs, command.size()});
}

void LoaderPipeline::send()
{
    if (unsent_.empty())
        return;
    // Input left over from before belongs to no command of ours; only a pipeline with nothing on
    // its way may drop it.
    if (inFlight_ == 0)
        link_.DrainInput();
    link_.writeBytes(unsent_);
    unsent_.clear();
    inFlight_ = expected_.size();
}

bool LoaderPipeline::take(std::string* reply)
{
    if (expected_.empty())
        return false;
    send();
    const Expected next = expected_.front();
    expected_.pop_front();
    --inFlight_;
    std::string bytes;
    const bool ok = link_.collectReply(bytes, next.bytes, next.limitMs, false) && (!next.ack || bytes[0] == kCR);
    if (reply)
        *reply = std::move(bytes);
    if (!ok)
        discard();
    return ok;
}

void LoaderPipeline::discard()
{
    if (inFlight_ > 0) {
        size_t bytes = 0;
        size_t lineBytes = 0;
        uint32_t limitMs = 0;
        for (size_t i = 0; i < inFlight_; ++i) {
            bytes += expected_[i].bytes;
            lineBytes += expected_[i].bytes + expected_[i].commandBytes;
            limitMs = std::max(limitMs, expected_[i].limitMs);
        }
        // The last reply may still wait for every command and reply before it on the line.
        const uint32_t rate = BaudTable[static_cast<size_t>(link_.baudIndex())];
        limitMs += static_cast<uint32_t>(lineBytes * 10'000 / rate) + 1;
        std::string late;
        link_.collectReply(late, bytes, limitMs, false);
        link_.DrainInput();
    }
    expected_.clear();
    unsent_.clear();
    inFlight_ = 0;
}

}  // namespace velmar::unitlink
