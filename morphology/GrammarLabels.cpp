#include "morphology/GrammarLabels.h"

#include <array>

namespace pv {

namespace {

struct LanguageName {
    const char16_t* bulgarian;
    const char16_t* french;
    const char16_t* english;
};

// Indexed by language number 1..9. The French texts are kept as the
// programs have always shown them.
constexpr std::array<LanguageName, 9> kLanguageNames{{
    {u"английски", u"l'Anglais", u"English"},
    {u"български", u"le Bulgare", u"Bulgarian"},
    {u"турски", u"Turc", u"Turkish"},
    {u"немски", u"l'Allemand", u"German"},
    {u"испански", u"l'Espagnol", u"Spanish"},
    {u"френски", u"le Fran&#231;ais", u"French"},
    {u"италиански", u"lItalien", u"Italian"},
    {u"гръцки", u"le Grec", u"Greek"},
    {u"руски", u"le Russe", u"Russian"},
}};
constexpr LanguageName kUndefinedLanguage{u"<неопределен>", u"<undefined>", u"<undefined>"};

struct GrammarLabel {
    int32_t value;
    const char16_t* bulgarian;
    const char16_t* english;
};

// Sorted by value.
constexpr GrammarLabel kGrammarLabels[] = {
    {1, u"същ.", u"n."},
    {2, u"прил.", u"adj."},
    {3, u"гл.", u"v."},
    {4, u"нар.", u"adv."},
    {5, u"мест.", u"pron."},
    {8, u"м.р.", u"masc."},
    {9, u"ж.р.", u"femin."},
    {10, u"с.р.", u"neuter"},
    {11, u"ед.ч.", u"sg."},
    {12, u"мн.ч.", u"pl."},
    {13, u"1 л.", u"1 p."},
    {14, u"2 л.", u"2 p."},
    {15, u"3 л.", u"3 p."},
    {16, u"п.чл.", u"full art."},
    {18, u"чл.", u"art."},
    {19, u"сег.несв.", u"pres.infin."},
    {20, u"мин.", u"past."},
    {24, u"пов.накл.", u"imper."},
    {25, u"мин.прич.", u"past.part."},
    {28, u"сег.св.", u"pres.fin."},
    {40, u"present", u"present"},
    {41, u"pres.part.", u"pres.part."},
    {42, u"past", u"past"},
    {43, u"past.part.", u"past.part."},
    {54, u"усл.накл.", u"conditional"},
    {89, u"бъдеще", u"future"},
    {93, u"сег.деят.прич.", u"pres.part."},
    {94, u"деепричастие", u"gerund"},
    {113, u"отглаг.същ.", u"gerund"},
    {140, u"им.пад.", u"nom.case"},
    {141, u"вин.пад.", u"acc.case"},
    {142, u"дат.пад.", u"dat.case"},
    {143, u"род.пад.", u"gen.case"},
    {144, u"тв.пад.", u"instr.case"},
    {145, u"предл.пад.", u"prep.case"},
    {320, u"същ.pl.t.", u"n.pl.t."},
    {321, u"същ.sg.t.", u"n.sg.t."},
    {354, u"същ.", u"n."},
    {355, u"прил.от същ.", u"attr.adj."},
    {448, u"несв.", u"infin."},
    {450, u"страд.", u"passive"},
    {506, u"отд.пад.", u"abl.case"},
    {507, u"лок.пад.", u"loc.case"},
    {733, u"същ.", u"n."},
    {734, u"ум.форма", u"diminutive"},
    {748, u"същ.", u"n."},
    {777, u"зват.пад.", u"voc.case"},
    {828, u"подч.накл.", u"subjunctive"},
    // Values of our own inventory (900 and up) that no row above fits.
    {900, u"предл.", u"prep."},
    {901, u"съюз", u"conj."},
    {902, u"детерм.", u"det."},
    {903, u"числ.", u"num."},
    {904, u"межд.", u"interj."},
    {905, u"собств.", u"prop.n."},
    {906, u"част.", u"part."},
    {907, u"съкр.", u"abbr."},
    {908, u"следл.", u"postp."},
    {910, u"общ р.", u"common"},
    {915, u"неопр.", u"indef."},
    {916, u"инф.", u"infinitive"},
    {917, u"мин.несв.", u"imperf."},
    {918, u"мин.св.", u"aorist"},
    {919, u"мин.деят.прич.", u"past act.part."},
    {920, u"изяв.накл.", u"indic."},
    {921, u"св.", u"perf."},
    {922, u"деят.", u"active"},
    {923, u"полож.ст.", u"positive"},
    {924, u"сравн.ст.", u"compar."},
    {925, u"превъзх.ст.", u"superl."},
    {926, u"одуш.", u"anim."},
    {927, u"неодуш.", u"inanim."},
    {928, u"притеж.1 л.ед.ч.", u"poss.1 p.sg."},
    {929, u"притеж.2 л.ед.ч.", u"poss.2 p.sg."},
    {930, u"притеж.3 л.ед.ч.", u"poss.3 p.sg."},
    {931, u"притеж.1 л.мн.ч.", u"poss.1 p.pl."},
    {932, u"притеж.2 л.мн.ч.", u"poss.2 p.pl."},
    {933, u"притеж.3 л.мн.ч.", u"poss.3 p.pl."},
    {934, u"отриц.", u"neg."},
    {935, u"същ.фраза", u"n.phrase"},
    {936, u"+мест.", u"+pron."},
    {937, u"посл.", u"seq."},
    {938, u"преизк.", u"evid."},
    {939, u"необх.", u"necess."},
    {940, u"бъд.прич.", u"fut.part."},
    {941, u"относ.", u"rel."},
    {942, u"възм.", u"potential"},
    {943, u"+е", u"copula"},
    {944, u"слято", u"joined"},
};

}  // namespace

std::u16string GetLanguageName(int32_t language, int32_t selector) {
    const LanguageName& name =
        language >= 1 && language <= 9 ? kLanguageNames[language - 1] : kUndefinedLanguage;
    if (selector == 2) return name.bulgarian;
    if (selector == 6) return name.french;
    return name.english;
}

std::u16string GetGrammarLabels(const AttributeSet& attributes, int32_t selector) {
    std::u16string labels;
    for (const GrammarLabel& label : kGrammarLabels) {
        if (!attributes.TestBit(label.value)) continue;
        if (!labels.empty()) labels += u',';
        labels += selector == 2 ? label.bulgarian : label.english;
    }
    return labels;
}

}  // namespace pv
