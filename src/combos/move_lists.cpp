// Move lists as constant data. Charge moves hold Down-Left ("1*C 6+HP") so
// that both the back and the down charge are built at once; taps are written
// with short waits between them ("6 ~ 6").
#include "combos/move_lists.h"

#include <array>

#include "base/text_util.h"

namespace {

constexpr ComboMove kGeneric[] = {
    {"Throw", "Throw (forward + MP)", "6+MP", "When close, f + MP"},
    {"Throw", "Throw (forward + MK)", "6+MK", "When close, f + MK"},
    {"Guard Break", "Guard Break (HP + HK)", "HP+HK", "same strength P + K (costs 1 level)"},
    {"Excel", "Excel activation (LP + MK)", "LP+MK", "different strength P + K (costs 1 level)"},
    {"Special", "Fireball (QCF + HP)", "236+HP", "qcf + P"},
    {"Special", "Dragon punch (DP + HP)", "623+HP", "f,d,df + P"},
    {"Special", "Hurricane kick (QCB + HK)", "214+HK", "qcb + K"},
    {"Super", "Super fireball (QCF x2 + HP)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Super dragon punch (QCF, DP + HP)", "23623+HP", "qcf,d,df + P"},
    {"Super", "Super hurricane kick (QCB x2 + HK)", "214214+HK", "qcb,qcb + K"},
    {"Super", "Fireball > super cancel", "236+MP ~ ~ 236236+HP", "qcf + MP, then qcf,qcf + HP"},
    {"Meteor", "Meteor combo (QCF x2 + PPP)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
    {"Meteor", "Meteor combo (QCB x2 + PPP)", "214214+LP+MP+HP", "qcb,qcb + PPP"},
    {"Meteor", "Meteor combo (QCF x2 + KKK)", "236236+LK+MK+HK", "qcf,qcf + KKK"},
    {"Meteor", "Meteor combo (QCB x2 + KKK)", "214214+LK+MK+HK", "qcb,qcb + KKK"},
    {"Meteor", "Meteor combo (720 + PPP)", "632147632147+LP+MP+HP", "rotate 720 + PPP"},
};

constexpr ComboMove kArea[] = {
    {"Throw", "Transmission", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "O.C.R.", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Hard Crash", "HP+HK", "Press the same strength P + K"},
    {"Special", "Humming Rush", "236+HP", "qcf + P"},
    {"Special", "Terminator", "214+HP", "qcb + P"},
    {"Special", "Alternative Catch", "63214+HP", "hcb + P"},
    {"Special", "Jackson Kick", "236+HK", "qcf + K"},
    {"Special", "Cancer Crash", "623+HP", "f,d,df + P"},
    {"Special", "Shift Stamp Punch", "214+LK", "qcb + K"},
    {"Special", "Shift Club Upper", "214+LK ~ HP", "qcb + K, then P"},
    {"Special", "Shift Club Straight", "214+LK ~ 6+HP", "qcb + K, then f + P"},
    {"Special", "Job Step", "6+MK", "f + MK"},
    {"Special", "Pulldown Leg", "3+HK", "df + HK"},
    {"Super", "Great Cancer", "236236+HP", "qcf,qcf + P"},
    {"Super", "Five Star Raid", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Final Cancer", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kBalrog[] = {
    {"Throw", "Wire Smash", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Tureno Claw", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Rolling Crystal Flash", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Sky High Claw", "2*C 8+HP", "Charge d,u + P"},
    {"Special", "Advancing Wire", "236+HK", "qcf + K"},
    {"Special", "Attaching Claw", "214+HP", "qcb + P"},
    {"Special", "Backslash", "LP+MP+HP", "PPP"},
    {"Guard Break", "Ground Crystal Flash", "HP+HK", "Press the same strength P + K"},
    {"Special", "Scarlet Terror", "1*C 6+HK", "Charge db,f + K"},
    {"Super", "Sky High Illusion", "1*C 646+HP", "Charge db,f,b,f + P"},
    {"Meteor", "Advancing Wire SP", "1*C 646+LP+MP+HP", "Charge db,f,b,f + PPP"},
};

constexpr ComboMove kBlanka[] = {
    {"Throw", "Wild Fang", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Raging Nail", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Vertical Rolling", "2*C 8+HK", "Charge d,u + K"},
    {"Special", "Rolling Attack", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Backstep Rolling", "1*C 6+HK", "Charge b,f + K"},
    {"Special", "Surprise Forward", "6+LK+MK+HK", "f + KKK"},
    {"Special", "Amazon River Run", "3+HP", "df + HP"},
    {"Guard Break", "Rock Crush", "HP+HK", "Press the same strength P + K"},
    {"Super", "Ground Shave Rolling", "1*C 646+HP", "Charge b,f,b,f + P"},
    {"Super", "Jungle Beat", "236236+HK", "qcf,qcf + K"},
    {"Meteor", "Super Electric Thunder", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kChunLi[] = {
    {"Throw", "Koshuu Da (Attacking Tiger Strike)", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Koshuu Raku (Attacking Tiger Drop)", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Sen'en Shuu (Spinning Circle Kick)", "6+MK", "f + MK"},
    {"Special", "Gomen ne! (\"I'm sorry!\")", "LP+LK", "LP + LK"},
    {"Special", "Kaiten-teki Kaku Kyakushuu (Rotary Target Crane Leg Kick  (a.k.a. 'Spinning Bird Kick'))",
     "2*C 8+HK", "Charge d,u + K"},
    {"Special", "Hien Shuu (Flying Kick)", "623+HK", "f,d,df + K"},
    {"Guard Break", "Sou Shouda (Paired Palm Strike)", "HP+HK", "Press the same strength P + K"},
    {"Super", "Kikou Shou (Chi (Internal Energy) Palm)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Senretsu Kyaku (Thousand Rending Kicks)", "1*C 646+HK", "Charge b,f,b,f + K"},
    {"Super", "Hazan Tenshou Kyaku (Supreme Mountain Ascension Kick)", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Kikou Shou: Goku (Ultimate Chi Palm)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kCrackerJack[] = {
    {"Special", "Power Hunter", "63214+HK", "hcb + K"},
    {"Throw", "Power Lift Throw", "6+MP", "When close, b / f + MP / HP"},
    {"Guard Break", "Double Arm Punch", "HP+HK", "Press the same strength P + K"},
    {"Special", "Dash Straight", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Dash Upper", "1*C 6+HK", "Charge b,f + K"},
    {"Special", "Feint Dash", "1*C 6+LP+MP+HP", "Charge b,f + PPP"},
    {"Special", "Batting Hero", "2*C 8+HP", "Charge d,u + P"},
    {"Special", "Soccer Ball Kick", "2*C 8+HK", "Charge d,u + K"},
    {"Super", "Angry Fist", "236236+HP", "qcf,qcf + P"},
    {"Super", "Crazy Jack", "1*C 646+HP", "Charge b,f,b,f + P"},
    {"Super", "Raging Buffalo", "1*C 646+HK", "Charge b,f,b,f + K"},
    {"Super", "Home Run Hero", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Grand Slam Crusher", "214214+LP+MP+HP", "qcb,qcb + PPP"},
    {"Meteor", "Home Run King", "1*C 646+LP+MP+HP", "Charge b,f,b,f + PPP"},
};

constexpr ComboMove kDarun[] = {
    {"Throw", "Backdrop", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "German Suplex", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Ganges Chop", "HP+HK", "Press the same strength P + K"},
    {"Special", "Lariat", "LP+MP+HP", "PPP"},
    {"Special", "Darun Catch", "41236+HK", "hcf + K"},
    {"Special", "Ganges DDT", "632147+HK", "360 + K"},
    {"Special", "Brahma Bomb", "632147+HP", "360 + P"},
    {"Special", "Indra Bashi (Indra Bridge)", "412369+HP", "rotate back + P"},
    {"Super", "Daikaku (Omnipotence)", "41236+LP+MP+HP", "hcf + PPP"},
    {"Super", "Indra~ Bashi (\"Indraa--!\" Bridge)", "632147632147+HP", "720 + P"},
    {"Super", "Chouzetsu Kishin Bomb (Superior Terrible God Bomb)", "632147632147+HK", "720 + K"},
    {"Meteor", "G.O.D.", "632147632147+LP+MP+HP", "720 + PPP"},
};

constexpr ComboMove kDhalsim[] = {
    {"Throw", "Yoga Smash", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Yoga Throw", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Yoga Shock", "HP+HK", "Press the same strength P + K"},
    {"Special", "Yoga Fire", "236+HP", "qcf + P"},
    {"Special", "Yoga Flame", "63214+HP", "hcb + P"},
    {"Special", "Yoga Blast", "63214+HK", "hcb + K"},
    {"Special", "Yoga Catch", "41236+HP", "hcf + P"},
    {"Special", "Yoga Teleport (Zen Idou) (Yoga Teleport (Move Forward))", "623+LP+MP+HP", "f,d,df + PPP"},
    {"Special", "Yoga Teleport (Go Idou) (Yoga Teleport (Move Backward))", "421+LP+MP+HP", "b,d,db + PPP"},
    {"Special", "Kuuchuu Fuyuu (Float in Mid-Air)", "LK+MK+HK", "In the air, KKK"},
    {"Super", "Yoga Legend", "236236+HP", "qcf,qcf + P"},
    {"Meteor", "Yoga Inferno", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kDoctrineDark[] = {
    {"Throw", "DEATH Moment", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "DARK Throw", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "SHUDDER Blade", "HP+HK", "Press the same strength P + K"},
    {"Special", "KILL Wire", "236+HP", "qcf + P"},
    {"Special", "DARK Wire", "214+HP", "qcb + P"},
    {"Special", "EX-plosive", "623+HP", "f,d,df + P"},
    {"Special", "KNIFE Nightmare", "236+HK", "qcf + K"},
    {"Special", "DEATH Spin Kick", "214+HK", "qcb + K"},
    {"Super", "KILL Trump", "236236+HP", "qcf,qcf + P"},
    {"Super", "DARK Shackle", "214214+HP", "qcb,qcb + P"},
    {"Super", "EX-Prominence", "236236+HK", "qcf,qcf + K"},
    {"Meteor", "DEATH Trap", "214214+LP+MP+HP", "qcb,qcb + PPP"},
};

constexpr ComboMove kGuile[] = {
    {"Throw", "Judo Throw", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Dragon Suplex", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Elbow Stamp", "HP+HK", "Press the same strength P + K"},
    {"Special", "Sonic Boom", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Somersault Kick", "2*C 8+HK", "Charge d,u + K"},
    {"Special", "Heavy Stab Kick", "3+HK", "df + HK"},
    {"Special", "Rolling Sobat", "6+MK", "f + MK"},
    {"Special", "Spinning Back Knuckle", "6+HP", "f + HP"},
    {"Super", "Double Somersault Kick", "1*C 319 9+HK", "Charge db,df,db,uf + K"},
    {"Super", "Opening Gambit", "1*C 646+HK", "Charge b,f,b,f + K"},
    {"Meteor", "Sonic Boom Typhoon", "1*C 646+LP+MP+HP", "Charge b,f,b,f + PPP"},
};

constexpr ComboMove kHokuto[] = {
    {"Throw", "Kyaku (Capture)", "6+MP", "When close, b / f + MP / HP"},
    {"Special", "Keishukou (\"Strangle neck with one's hands\")", "63214+HP", "hcb + P"},
    {"Guard Break", "Bukyaku Zan (Dancing Slash Attack)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Chuugeki Hou (Demolishing Elbow Attack)", "236+HP", "qcf + P"},
    {"Special", "Shinkuu Geki (Shaking Air Attack)", "623+HP", "f,d,df + P"},
    {"Special", "Shinkyaku Geki (Shaking Leg Attack)", "623+HK", "f,d,df + K"},
    {"Special", "Ryuusui (Stream)", "214+HP", "qcb + P"},
    {"Special", "Gokyaku Kou (Defend Into Attack)", "214+HK", "qcb + K"},
    {"Special", "Chuuhou (Demolishing Elbow)", "6+HP", "f + HP"},
    {"Special", "Kaishuu (Reaping Kick)", "3+HK", "df + HK"},
    {"Super", "Renbu (Rapid Dance)", "236236+HK", "qcf,qcf + K"},
    {"Super", "Kiren'eki (Refined Spirit Shoot)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Kyaku Hougi (Attacking Phoenix Technique)", "214214+HP", "qcb,qcb + P"},
    {"Super", "Renshou Geki (Violent Rapid Rise)", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Shirase Gatana (Obituary Sword)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kKen[] = {
    {"Throw", "Seoi Nage (Over The Shoulder Throw)", "4+MP", "When close, b / f + MP / HP"},
    {"Throw", "Jigoku Guruma (Hell Wheel)", "4+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Inazuma Kakato Wari (Lightning Flash Splitting Heel)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Hadou Ken (Surge Fist)", "236+HP", "qcf + P"},
    {"Special", "Shouryuu Ken (Rising Dragon Fist)", "623+HP", "f,d,df + P"},
    {"Special", "Tatsumaki Senpuu Kyaku (Tornado Whirlwind Kick)", "214+HK", "qcb + K"},
    {"Special", "Zenpou Tenshin (Forward Body Roll)", "214+LP", "qcb + P"},
    {"Super", "Shouryuu Reppa (Rising Dragon Render)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Shinryuu Ken (Divine Dragon Fist)", "236236+HK", "qcf,qcf + K"},
    {"Super", "Shippuujinrai Kyaku (\"Swift as Lightning\" Kick)", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Kuzuryuu Reppa (Nine-Headed Dragon Render)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kNanase[] = {
    {"Throw", "Kyaku (Capture)", "6+MP", "When close, b / f + MP / HP"},
    {"Special", "Keishukou (\"Strangle neck with one's hands\")", "63214+HP", "hcb + P"},
    {"Guard Break", "Sanren Kon (Three Rapid Canes)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Tenshou Kon (Ascention Cane)", "623+HP", "f,d,df + P"},
    {"Special", "Gekkyou Botan (Moon-Mirror Tree Peony)", "236+HK", "qcf + K"},
    {"Special", "Kasumi Oroshi (Misty Mountain Wind)", "214+HK", "qcb + K"},
    {"Special", "Ryuusui (Stream)", "214+HP", "qcb + P"},
    {"Special", "Tou Chuuhou (Demolishing Elbow Step)", "6+HP", "f + HP"},
    {"Super", "Izayoi Rekkon (Sixteen-Day Old Moon: Violent Cane)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Yayoi Toukon Gi (Month of March: Cane Throwing Technique)", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Machiyoi Tenkyuu Geki (\"Violent rain from a cloudy sky, in the early morning\")", "236236+LP+MP+HP",
     "qcf,qcf + PPP"},
};

constexpr ComboMove kPullum[] = {
    {"Throw", "Ordence Foot", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Neck Factor", "63214+HK", "hcb + K"},
    {"Guard Break", "Arakul Ankle", "HP+HK", "Press the same strength P + K"},
    {"Special", "Drill Purrus (Chijou) (Ground Drill Purrus)", "236+HK", "qcf + K"},
    {"Special", "Ten'el Kick", "623+HK", "f,d,df + K"},
    {"Special", "Prim Kick", "214+HK", "qcb + K"},
    {"Special", "Arakul Wrist", "214+HP", "qcb + P"},
    {"Super", "Reswal Kahna", "236236+HK", "qcf,qcf + K"},
    {"Super", "Praec Larm", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Gradeus Pearl", "236236+LK+MK+HK", "qcf,qcf + KKK"},
};

constexpr ComboMove kRyu[] = {
    {"Throw", "Seoi Nage (Over The Shoulder Throw)", "4+MP", "When close, b / f + MP / HP"},
    {"Throw", "Tomoe Nage ((A judo technique) Throw)", "4+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Sakotsu Wari (Collarbone Splitter)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Hadou Ken (Surge Fist)", "236+HP", "qcf + P"},
    {"Special", "Shakunetsu Hadou Ken (Scorching Heat Surge fist)", "63214+HP", "hcb + P"},
    {"Special", "Shouryuu Ken (Rising Dragon Fist)", "623+HP", "f,d,df + P"},
    {"Special", "Tatsumaki Senpuu Kyaku (Tornado Whirlwind Kick)", "214+HK", "qcb + K (then b + K x2, then/or press K)"},
    {"Special", "Kyuubi Kudaki (Dove's Tail Crusher)", "6+HP", "f + HP"},
    {"Special", "Senpuu Kyaku (Whirlwind Kick)", "6+MK", "f + MK"},
    {"Super", "Shinkuu Hadou Ken (Vacuum Surge Fist)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Shinkuu Tatsumaki Senpuu Kyaku (Vacuum Tornado Whirlwind Kick)", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Shin Shouryuu Ken (True Rising Dragon Fist)", "236236+LK+MK+HK", "qcf,qcf + KKK"},
};

constexpr ComboMove kSagat[] = {
    {"Throw", "Tiger Carry", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Tiger Rage", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Tiger Tool", "HP+HK", "Press the same strength P + K"},
    {"Special", "Tiger Shot", "236+HP", "qcf + P"},
    {"Special", "Ground Tiger Shot", "236+HK", "qcf + K"},
    {"Special", "Tiger Fake", "236+LP+LK", "qcf + LP + LK"},
    {"Special", "Tiger Blow", "623+HP", "f,d,df + P"},
    {"Special", "Tiger Crush", "623+HK", "f,d,df + K"},
    {"Super", "Tiger Genocide", "236236+HK", "qcf,qcf + K"},
    {"Super", "Tiger Raid", "214214+HK", "qcb,qcb + K"},
    {"Super", "Tiger Cannon", "236236+HP", "qcf,qcf + P"},
    {"Super", "Ground Tiger Cannon", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Tiger Storm", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kSharon[] = {
    {"Throw", "Bloody Mount", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Bloody Choke", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Spinning Double Knuckle", "214+HP", "qcb + P"},
    {"Special", "Gale Hammer Punch", "236+HP", "qcf + P"},
    {"Special", "Bermuda Symphony", "63214+HK", "hcb + K"},
    {"Special", "Half Moon Kick", "623+HK", "f,d,df + K"},
    {"Special", "Crimson Terror", "41236+HP", "hcf + P"},
    {"Special", "Sliding Sweeper", "3+HK", "df + HK"},
    {"Special", "Crash Punch", "6+HP", "f + HP"},
    {"Special", "Step Combo Punch", "6 ~ 6 HP", "Tap f,f, then P"},
    {"Special", "Step Combo Kick", "6 ~ 6 HK", "Tap f,f, then K"},
    {"Special", "Load", "2+LP+LK", "d + LP + LK"},
    {"Super", "Shuttle Combination", "236236+HP", "qcf,qcf + P"},
    {"Super", "Sharon Special", "214214+HK", "qcb,qcb + K"},
    {"Meteor", "Assault Rifle", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kSkullomania[] = {
    {"Throw", "Skullo Stand", "6+MP", "When close, b / f + MP / HP"},
    {"Special", "Skullo Punch", "6+HP", "f + HP"},
    {"Special", "Skullo Crusher", "236+HP", "qcf + P"},
    {"Special", "Skullo Slider", "236+HK", "qcf + K"},
    {"Special", "Skullo Head", "623+HP", "f,d,df + P"},
    {"Guard Break", "Skullo Shock", "HP+HK", "Press the same strength P + K"},
    {"Special", "Skullo T'katchev", "214+HK", "qcb + K"},
    {"Special", "Skullo Back Ten (Skullo Backspin)", "214+HP", "qcb + P"},
    {"Special", "Skullo Dash", "6 ~ 6", "Tap f,f"},
    {"Special", "Stepping Upper", "6 ~ 6 HP", "Tap f,f, then P"},
    {"Special", "Dangerous Heel", "623+HK", "f,d,df + K"},
    {"Super", "Shin Skullo Dream (New Skullo Dream)", "214214+HP", "qcb,qcb + P"},
    {"Super", "Super Skullo Crusher", "236236+HP", "qcf,qcf + P"},
    {"Super", "Super Skullo Slider", "236236+HK", "qcf,qcf + K"},
    {"Super", "Skullo Ball", "214214+HK", "qcb,qcb + K"},
    {"Super", "Skullo Energy", "41236+LP+MP+HP", "hcf + PPP"},
    {"Meteor", "Super Skullo Energy", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kVega[] = {
    {"Throw", "Deadly Throw", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Death Suplex", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Psychic Crush", "HP+HK", "Press the same strength P + K"},
    {"Special", "Psycho Crusher", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Double Knee Press", "1*C 6+HK", "Charge b,f + K"},
    {"Special", "Head Press", "2*C 8+HK", "Charge d,u + K"},
    {"Special", "Vega Warp (Zenpou Idou)", "623+LP+MP+HP", "f,d,df + PPP"},
    {"Special", "Vega Warp (Kouhou Idou)", "421+LP+MP+HP", "b,d,db + PPP"},
    {"Super", "Psycho Cannon", "1*C 646+HP", "Charge b,f,b,f + P"},
    {"Super", "Knee Press Nightmare", "1*C 646+HK", "Charge b,f,b,f + K"},
    {"Meteor", "Psycho Break Smasher", "1*C 646+LP+MP+HP", "Charge b,f,b,f + PPP"},
};

constexpr ComboMove kVulcano[] = {
    {"Throw", "Digestiveo", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Respresso", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Volcanus", "HP+HK", "Press the same strength P + K"},
    {"Special", "Cannosa no Kutsujoku", "236+HP", "qcf + P"},
    {"Special", "Hibashiri (Running Fire)", "214+HK", "qcb + K"},
    {"Special", "Vesuvio no Ikari (Vesuvius' Anger (Vesuvius is a volcano in Italy))", "623+HP", "f,d,df + P"},
    {"Special", "Io no Yoku (Wings of Io (Io is a volcanic Jovian moon))", "623+HK", "f,d,df + K"},
    {"Super", "Tameiki no Hashi (Bridge's Sigh)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Accelerando", "236236+HK", "qcf,qcf + K"},
    {"Super", "Pisa no Shatou (Leaning Tower of Pisa)", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Shikei (Four Scenes)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kZangief[] = {
    {"Throw", "Iron Claw", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "German Suplex", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Russian Headbutt", "HP+HK", "Press the same strength P + K"},
    {"Special", "Double Lariat", "LP+MP+HP", "PPP"},
    {"Special", "Quick Double Lariat", "LK+MK+HK", "KKK"},
    {"Special", "Spinning Piledriver", "632147+HP", "360 + P"},
    {"Super", "Atomic Suplex", "632147+HK", "360 + K"},
    {"Super", "Final Atomic Buster", "632147632147+HP", "720 + P"},
    {"Meteor", "Aerial Russian Slam", "632147632147+HK", "720 + K"},
    {"Super", "Super Stomping", "236236+HK", "qcf,qcf + K"},
    {"Meteor", "Cosmic Final Atomic Buster", "632147632147+LP+MP+HP", "720 + PPP"},
};

constexpr ComboMove kGaruda[] = {
    {"Throw", "Satsuga (Deadly Fang)", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Shouki (Soaring Devil)", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Saiga (Smashing Fang)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Shuuga (Attacking Fang)", "236+HP", "qcf + P"},
    {"Special", "Gouga (Roaring Fang)", "623+HP", "f,d,df + P"},
    {"Special", "Jazan (Serpent Slash)", "214+HP", "qcb + P"},
    {"Special", "Kizan (Devil Slash)", "214+HK", "qcb + K"},
    {"Special", "Raiga (Lightning Fang)", "623+HK", "f,d,df + K"},
    {"Special", "Bu (Dance)", "236+HK", "qcf + K"},
    {"Special", "Zanki (Murderous Devil)", "63214+HP", "hcb + P"},
    {"Special", "Kyouja (Insane Serpent)", "41236+HK", "hcf + K"},
    {"Super", "Kienshou (Demonic Swallow Flight)", "236236+HK", "qcf,qcf + K"},
    {"Super", "Kienbu (Demonic Swallow Dance)", "214214+HK", "qcb,qcb + K"},
    {"Super", "Soukondan (Spirits of the Dead Bullet)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Kyoujin Senshuu (Evil Spinning Blade Attack)", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Daikyo Rasen Shou (Great Untruth Spiral Flight)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kHayate[] = {
    {"Throw", "Madomashi (Beguiling (?))", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Daigatana (Great Sword)", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Kamaitachi (Whirlwind Cut)", "236+HP", "qcf + P"},
    {"Guard Break", "Oborodzuki (Hazy Moon)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Hisen Zan (Flying Spin Slash)", "623+HP", "f,d,df + P"},
    {"Special", "Shiraha Tenjin (Clashing Blade Sword Turn)", "214+HP", "qcb + P"},
    {"Special", "Enraku Shishou (Swallow-Slaying Violet Rise)", "623+HK", "f,d,df + K"},
    {"Super", "Resshin Kamaitachi (Disastrous Earthquake Whirlwind Cut)", "236236+HP", "qcf,qcf + P"},
    {"Super", "Raizanshou (Flying Lightning Slash)", "214214+HP", "qcb,qcb + P"},
    {"Meteor", "Orochi Fuujin (Taichi) (Great Serpent Sealing Blade (Anti-Ground))", "236236+LP+MP+HP",
     "qcf,qcf + PPP"},
    {"Meteor", "Orochi Fuujin (Taikuu) (Great Serpent Sealing Blade (Anti-Air))", "214214+LP+MP+HP",
     "qcb,qcb + PPP"},
};

constexpr ComboMove kKairi[] = {
    {"Throw", "Kutei Kaku (Arm Strike Hold)", "6+MP", "When close, b / f + MP / HP"},
    {"Special", "Ura Jigoku Guruma (Reverse Hell Wheel)", "63214+HK", "hcb + K"},
    {"Guard Break", "Bukyaku (Warrior Kick)", "HP+HK", "Press the same strength P + K"},
    {"Special", "Shinki Hatsudou (Divine Soul Invocation)", "236+HP", "qcf + P"},
    {"Special", "Mouryou Kasen (Nature Spirits' Whirling Vortex)", "214+HK", "qcb + K"},
    {"Special", "Maryuu Rekkou (Evil Dragon Destroying Light)", "623+HP", "f,d,df + P"},
    {"Special", "Makuu Shihai (Zenpou Idou)", "623+LK+MK+HK", "f,d,df + KKK"},
    {"Special", "Makuu Shihai (Kouhou Idou)", "421+LK+MK+HK", "b,d,db + KKK"},
    {"Special", "Ryuubu (Dragon Warrior)", "236+HK", "qcf + K"},
    {"Super", "Sairou Kyoushuu", "236236+HK", "qcf,qcf + K"},
    {"Super", "Shouki Hatsudou (Demonic Disease Invocation)", "236236+HP", "qcf,qcf + P"},
    {"Meteor", "Kyouja Renbu (Villainous Rapid Dance)", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kShadowGeist[] = {
    {"Throw", "Death Stand", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Death Kick", "6+MK", "When close, b / f + MK / HK"},
    {"Special", "Death Crusher", "236+HP", "qcf + P"},
    {"Guard Break", "Death Break", "HP+HK", "Press the same strength P + K"},
    {"Special", "Death Shock", "623+HP", "f,d,df + P"},
    {"Special", "Death Press", "214+HK", "qcb + K"},
    {"Special", "Death Escape", "214+LP+MP+HP", "qcb + PPP"},
    {"Special", "Stepping Upper", "6 ~ 6 HP", "Tap f,f, then P"},
    {"Special", "Death Heel", "623+HK", "f,d,df + K"},
    {"Super", "Death Dream (Chijou) (Ground Death Dream)", "214214+HP", "qcb,qcb + P"},
    {"Super", "Death Government", "236236+HK", "qcf,qcf + K"},
    {"Super", "Death Crusher", "236236+HP", "qcf,qcf + P"},
    {"Super", "Death Energy", "41236+LP+MP+HP", "hcf + PPP"},
    {"Meteor", "Super Death Energy", "236236+LP+MP+HP", "qcf,qcf + PPP"},
};

constexpr ComboMove kVegaII[] = {
    {"Throw", "Deadly Throw", "6+MP", "When close, b / f + MP / HP"},
    {"Throw", "Death Suplex", "6+MK", "When close, b / f + MK / HK"},
    {"Guard Break", "Psychic Crush", "HP+HK", "Press the same strength P + K"},
    {"Special", "Psycho Crusher", "1*C 6+HP", "Charge b,f + P"},
    {"Special", "Double Knee Press", "1*C 6+HK", "Charge b,f + K"},
    {"Special", "Head Press", "2*C 8+HK", "Charge d,u + K"},
    {"Special", "Vega Warp (Zenpou Idou)", "623+LP+MP+HP", "f,d,df + PPP"},
    {"Special", "Vega Warp (Kouhou Idou)", "421+LP+MP+HP", "b,d,db + PPP"},
    {"Super", "Psycho Cannon G", "1*C 646+LP", "Charge b,f,b,f + LP"},
    {"Super", "Psycho Cannon B", "1*C 646+MP", "Charge b,f,b,f + MP"},
    {"Super", "Psycho Cannon R", "1*C 646+HP", "Charge b,f,b,f + HP"},
    {"Super", "Knee Press Nightmare", "1*C 646+HK", "Charge b,f,b,f + K"},
    {"Meteor", "Psycho Break Smasher", "1*C 646+LP+MP+HP", "Charge b,f,b,f + PPP"},
};

const std::array<MoveList, 26> kMoveLists = {{
    {kGenericMovesName, kGeneric},
    {"Area", kArea},
    {"Balrog (Vega in the West)", kBalrog},
    {"Blanka", kBlanka},
    {"Chun-Li", kChunLi},
    {"Cracker Jack", kCrackerJack},
    {"Darun Mister", kDarun},
    {"Dhalsim", kDhalsim},
    {"Doctrine Dark", kDoctrineDark},
    {"Guile", kGuile},
    {"Hokuto", kHokuto},
    {"Ken Masters", kKen},
    {"Nanase", kNanase},
    {"Pullum Purna", kPullum},
    {"Ryu", kRyu},
    {"Sagat", kSagat},
    {"Sharon", kSharon},
    {"Skullomania", kSkullomania},
    {"Vega (M. Bison in the West)", kVega},
    {"Vulcano Rosso", kVulcano},
    {"Zangief", kZangief},
    {"Garuda", kGaruda},
    {"Hayate", kHayate},
    {"Kairi", kKairi},
    {"Shadow Geist", kShadowGeist},
    {"Vega II", kVegaII},
}};

}  // namespace

std::span<const MoveList> AllMoveLists() { return kMoveLists; }

const MoveList* FindMoveList(std::string_view character) {
  for (const MoveList& list : kMoveLists)
    if (EqualsNoCase(character, list.character)) return &list;
  return nullptr;
}
