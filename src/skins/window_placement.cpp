#include "skins/window_placement.h"

namespace chronolien {

int counterLeft(int floatingLeft)
{
    return floatingLeft - 360;
}

int counterTop(int floatingTop, bool pos_compteur)
{
    return pos_compteur ? floatingTop - 920 : floatingTop + 1020;
}

int mailLeft(int floatingLeft, bool pos_mail)
{
    return pos_mail ? floatingLeft - 2980 : floatingLeft + 1180;
}

int mailTop(int floatingTop)
{
    return floatingTop - 140;
}

} // namespace chronolien
