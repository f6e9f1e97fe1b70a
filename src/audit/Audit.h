// The contrast audit of a whole layout: every pair of the table measured (over the background picture
// where the text stands on one), judged against a level, and the nearest passing colours proposed.
#pragma once

#include "audit/Contrast.h"
#include "audit/PairTable.h"
#include "audit/PictureContrast.h"
#include "layoutmodel/ValueChange.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::audit {

/// What lies behind a pair's text besides its background colour: the region's background picture as the
/// preview places it, and where in the region the text is drawn.
struct Backdrop {
    std::string pictureName;     ///< the picture the layout names; empty for none
    PicturePlacement placement;  ///< the decoded picture (null when it could not be decoded)
    std::vector<Rect> textAreas; ///< region coordinates
};

/// Gives the backdrop of a pair that stands on its region's own background.
class BackdropSource {
public:
    virtual ~BackdropSource() = default;
    /// Nothing when the region has no background picture.
    virtual std::optional<Backdrop> backdrop(const Pair &pair) const = 0;
};

enum class Verdict { Pass, Fail, NotShown };

/// "pass", "FAIL" or "not shown".
std::string_view verdictText(Verdict verdict);

/// A colour that makes a failing pair pass: for the text (first) or for the background (second).
struct Proposal {
    std::string field;
    Color color = 0;
    double ratio = 0;    ///< the pair's ratio with it (for text over a picture: the pixel-share figure)
    double distance = 0; ///< OKLab distance from the colour it replaces
};

struct PairResult {
    Pair pair;
    Color foreground = 0;
    Color background = 0;
    int fontSize = 0;
    int fontWeight = 400;
    bool largeText = false;
    double ratio = 0; ///< over a picture: the ratio that 95 % of the text area's pixels reach
    double needed = 0;
    Verdict verdict = Verdict::Pass;
    std::string picture; ///< the picture measured against (or named but unreadable)
    bool pictureUnreadable = false;
    std::optional<double> worstRatio; ///< over a picture: the worst pixel's ratio
    std::shared_ptr<const PixelLuminances> pixels;
    std::vector<Proposal> proposals;

    bool overPicture() const { return pixels != nullptr; }
};

struct AuditResult {
    Level level = Level::AA;
    std::vector<PairResult> pairs;

    int count(Verdict verdict) const;
    bool passes() const { return count(Verdict::Fail) == 0; }
};

/// Measures every pair of the layout. Without a backdrop source no picture is looked at.
AuditResult runAudit(const layout::LayoutModel &model, const AuditSwitches &switches, Level level,
                     const BackdropSource *backdrops = nullptr);

/// Adds the proposals to every failing pair: the nearest passing text colour and, where the text does not
/// stand on a picture, the nearest passing background colour.
void addProposals(AuditResult &result);

/// The changes that make the failing pairs pass by their text colours: each failing pair's first
/// proposal (a field shared by several failing pairs takes the one that moves it farthest), audited again
/// and repeated, at most four rounds, until nothing more changes; a pair may still fail after them. Changes
/// are named and written as `kwlayout set` takes them.
std::vector<layout::ValueChange> planFixes(const layout::LayoutModel &model, const AuditSwitches &switches,
                                           Level level, const BackdropSource *backdrops = nullptr);

/// The change a pair's proposal makes.
layout::ValueChange changeOf(const PairResult &pair, const Proposal &proposal);

/// The line of one pair: REGION/STATE, text colour, background, ratio, needed, verdict, proposals; tabs
/// between. Over a picture the background is followed by "+" and the picture's name, and the ratio by the
/// worst pixel's ("4.61 (min 1.20)"); a picture that cannot be read is told as "(Bild nicht lesbar)".
std::string formatLine(const PairResult &pair);
/// "N pairs: P pass, F FAIL, S not shown; AA met" (or "not met").
std::string formatSummary(const AuditResult &result);
/// "Kontrast: N Probleme" (or "1 Problem"), "Kontrast: AA erfüllt" when nothing fails.
std::string statusText(const AuditResult &result);

} // namespace kw::audit
