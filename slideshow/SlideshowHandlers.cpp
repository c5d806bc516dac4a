// The handlers of the Images tab, whose behaviour arrives with the slideshow; until then they
// leave everything as it is, so the controls wired to them do nothing yet.

#include "slideshow/SlideshowPage.h"

namespace tickwell {

void SlideshowPage::ListBox3Click() {}
void SlideshowPage::Button8Click() {}
void SlideshowPage::Button9Click() {}
void SlideshowPage::Button10Click() {}
void SlideshowPage::ImagesTimerTimer() {}

} // namespace tickwell
