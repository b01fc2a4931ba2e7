#pragma once

namespace chronolien {

// Where the counter and mail windows hang beside the floating window, whose left edge is L and
// top edge T (all in twips). The counter sits below (pos_compteur false) or above it, the mail
// window to its right (pos_mail false) or to its left.
int counterLeft(int floatingLeft);
int counterTop(int floatingTop, bool pos_compteur);
int mailLeft(int floatingLeft, bool pos_mail);
int mailTop(int floatingTop);

} // namespace chronolien
