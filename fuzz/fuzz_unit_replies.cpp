// The parsers of what the unit sends back: identification and loader banners, firmware
// versions, flash checksums, the loader's version, signature and fuse replies. A unit, a cable
// or another device on the port can send anything, so these take untrusted input like files.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "unitlink/identification.h"
#include "unitlink/loader_rules.h"
#include "unitlink/unit_numbers.h"

using namespace velmar;
using namespace velmar::unitlink;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void numbers(std::string_view text)
{
    std::string_view rest = text;
    while (!takeWord(rest).empty()) {
    }
    check(rest.empty() || rest.find_first_not_of(" \t\r\n\v\f") == std::string_view::npos);
    rest = text;
    if (const auto value = takeDecimal(rest)) {
        check(std::isfinite(*value) && rest.size() < text.size());
        // What is shown is read back as the same two decimals.
        const std::string shownText = fixedTwoDecimals(*value);
        std::string_view shown = shownText;
        const auto again = takeDecimal(shown);
        check(again && shown.empty() && fixedTwoDecimals(*again) == shownText);
    } else {
        check(rest == text);
    }
    rest = text;
    if (takeHex(rest))
        check(rest.size() < text.size());
    else
        check(rest == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    for (Variant variant : {Variant::Editor, Variant::Installer}) {
        if (const auto* row = classifyReply(variant, reply))
            check(reply.find(row->text) != std::string_view::npos);
        modelFromReply(variant, reply, false);
        modelFromReply(variant, reply, true);
        isAcceptedLoaderBanner(variant, reply);
    }
    if (const auto firmware = firmwareFromReply(reply))
        check(std::isfinite(firmware->version) && firmware->kind != ModelKind::Undetected);
    if (checksumFromReply(reply))
        check(reply.find("Checksum:") != std::string_view::npos);
    const int loader = loaderVersionFromReply(reply);
    check(loader == 0 || (loader >= 100 && loader <= 999));
    for (int version : {0, loader, 150, 250, 301}) {
        signatureAccepted(version, reply);
        for (const auto& step : fuseStepsBeforeErase(version))
            fuseReplyMatches(step, reply);
        for (const auto& step : fuseStepsAfterErase(version))
            fuseReplyMatches(step, reply);
    }
    numbers(reply);
    return 0;
}
