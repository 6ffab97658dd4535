#include "tools/artwork/Print.h"

namespace artwork::print {

void setInk(cairo_t* cr, double alpha) { cairo_set_source_rgba(cr, kInk.r, kInk.g, kInk.b, alpha); }

}  // namespace artwork::print
