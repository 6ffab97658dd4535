// A figure to fill or stroke: sub-paths of lines and cubic Bezier curves, and whole
// rectangles, rounded rectangles and ellipses. Recorded here, rendered by the context.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "gui/CBaseObject.h"
#include "gui/CRect.h"

namespace VSTGUI {

class CGraphicsPath : public CBaseObject {
public:
    struct Element {
        enum Kind { kBeginSubpath, kLine, kBezierCurve, kCloseSubpath, kRect, kRoundRect, kEllipse };
        Kind kind;
        CPoint points[3];  // end point first; a curve's two control points follow
        CRect rect;
        double radius = 0.0;
    };

    void beginSubpath(const CPoint& start) { add(Element::kBeginSubpath, {start}); }
    void addLine(const CPoint& to) { add(Element::kLine, {to}); }
    void addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end) {
        add(Element::kBezierCurve, {end, control1, control2});
    }
    void closeSubpath() { add(Element::kCloseSubpath, {}); }
    void addRect(const CRect& r) { add(Element::kRect, {}, r); }
    void addRoundRect(const CRect& r, double radius) { add(Element::kRoundRect, {}, r, radius); }
    void addEllipse(const CRect& r) { add(Element::kEllipse, {}, r); }

    const std::vector<Element>& getElements() const { return elements; }

private:
    void add(Element::Kind kind, std::initializer_list<CPoint> points, const CRect& rect = {},
             double radius = 0.0) {
        Element element{kind, {}, rect, radius};
        std::copy(points.begin(), points.end(), element.points);
        elements.push_back(element);
    }

    std::vector<Element> elements;
};

}  // namespace VSTGUI
