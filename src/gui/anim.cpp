// Animated icon slots (see anim.h).
#include "gui/anim.h"

#include "base/tools.h"
#include "graphics/blitter.h"
#include "graphics/rastport.h"
#include "gui/menue.h"

void Anim_Slots_Init(Anim_Slot* slots, i32 anzahl) {
    for (i32 i = 0; slots && i < anzahl; ++i) slots[i] = Anim_Slot{};
}

i32 Anim_Slot_Neu(Anim_Slot* slots, i32 anzahl, i32 x, i32 y, u32 grafik, u32 grenze, u32 verzoegerung, bool schleife,
                  u32 neustart) {
    for (i32 i = 0; slots && i < anzahl; ++i) {
        if (slots[i].belegt) continue;
        slots[i] =
            Anim_Slot{grafik, x, y, 1, 0, grenze, W32_Get_Time(), verzoegerung, static_cast<u8>(schleife), neustart};
        return i;
    }
    return -1;
}

void Anim_Slots_Blit(Anim_Slot* slots, i32 anzahl) {
    const u32 jetzt = W32_Get_Time();
    for (i32 i = 0; slots && i < anzahl; ++i) {
        Anim_Slot& s = slots[i];
        if (!s.belegt) continue;
        if (Rastport* bild = Menue_Get_Hooks().grafik_holen(s.grafik + s.frame); bild && Screen_Rastport)
            Blt_Blit(bild, 0, 0, -1, -1, Screen_Rastport, s.x, s.y, Blt_Opt_Transparent);
        if (jetzt - s.zuletzt < s.verzoegerung) continue;
        s.zuletzt = jetzt;
        if (s.grenze >= 2 && s.frame < s.grenze - 2) ++s.frame;
        else if (s.schleife) s.frame = s.neustart;
        else s = Anim_Slot{};
    }
}

bool Anim_Slot_Belegt(const Anim_Slot* slots, i32 index) { return slots && index >= 0 && slots[index].belegt; }
u32 Anim_Slot_Get_Frame(const Anim_Slot* slots, i32 index) { return slots && index >= 0 ? slots[index].frame : 0; }
