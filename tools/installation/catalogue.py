"""What the sample installation holds: source fonts, styles, single faces, surnames, pictures.

Everything the assembler builds is described here, so choosing another font for a style or
adding a surname is an edit of this file only.
"""

from dataclasses import dataclass


@dataclass(frozen=True)
class NpmSource:
    package_ref: str            # package@version, fetched with `npm pack`
    sha256: str          # of the packed tarball
    font: str            # member path of the font inside the tarball
    licence: str | None  # member path of the licence, or None when the font's name table holds it


@dataclass(frozen=True)
class DebianSource:
    package: str
    font: str            # absolute path of the installed file
    index: int = 0       # face number inside a collection (.ttc)


@dataclass(frozen=True)
class Source:
    key: str             # short name used in credits and licence file names
    credit: str          # the font's own name, as its authors publish it
    origin: NpmSource | DebianSource
    latin: bool = False  # a Latin script font: keep Latin, no hanzi
    bold: int = 0        # stroke thickening in font units (0 = as drawn)


NPM = "@expo-google-fonts/"

SOURCES = {s.key: s for s in [
    Source("ZhiMangXing", "Zhi Mang Xing",
           NpmSource(NPM + "zhi-mang-xing@0.4.1",
                     "0aa2875b2e7b3722d4dc3d087971b34dd46894e9a6dcb5b70f87c3ecbb7ba02b",
                     "package/400Regular/ZhiMangXing_400Regular.ttf", "package/LICENSE_FONT")),
    Source("MaShanZheng", "Ma Shan Zheng",
           NpmSource(NPM + "ma-shan-zheng@0.4.3",
                     "9befb7ac1ef0b08c17d8e1ea322a426833e91886f30dc3fb9f993676a8ef7ac3",
                     "package/400Regular/MaShanZheng_400Regular.ttf", "package/LICENSE_FONT")),
    # A cursive hand, thickened: a bold brush for 毛体 and a flowing last character.
    Source("LiuJianMaoCaoBold", "Liu Jian Mao Cao (thickened)",
           NpmSource(NPM + "liu-jian-mao-cao@0.2.3",
                     "8ebf4d1946ae7e3bc3945148005495b86657e886491fa06b8c9eb6499010748b",
                     "package/LiuJianMaoCao_400Regular.ttf", None), bold=24),
    Source("GreatVibes", "Great Vibes",
           NpmSource(NPM + "great-vibes@0.4.1",
                     "d117f1f42d10ba8eeab629a7badd6238de7d6a5b391783e7f99c991290c075e3",
                     "package/400Regular/GreatVibes_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("Allura", "Allura",
           NpmSource(NPM + "allura@0.4.2",
                     "d3a0f8f13527ba24cb94e2f23a33367b5428b83304281bd0f0ea3404be57376c",
                     "package/400Regular/Allura_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("AlexBrush", "Alex Brush",
           NpmSource(NPM + "alex-brush@0.4.1",
                     "c051fdd0c1fbc31cdee9ca0319c58d4c81060d12ac224ddeb0a81d7397e93f76",
                     "package/400Regular/AlexBrush_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("PinyonScript", "Pinyon Script",
           NpmSource(NPM + "pinyon-script@0.4.1",
                     "87015766e5ffddec3be9e20b3848b275a78420292ccf6fb835a7fd8491fdfa7c",
                     "package/400Regular/PinyonScript_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("LXGWWenKaiBold", "LXGW WenKai Bold",
           DebianSource("fonts-lxgw-wenkai",
                        "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Bold.ttf")),
    Source("LXGWWenKai", "LXGW WenKai",
           DebianSource("fonts-lxgw-wenkai",
                        "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf")),
    Source("ARPLKaitiMGB", "AR PL KaitiM GB",
           DebianSource("fonts-arphic-gkai00mp",
                        "/usr/share/fonts/truetype/arphic-gkai00mp/gkai00mp.ttf")),
    Source("WenQuanYiZenHei", "WenQuanYi Zen Hei",
           DebianSource("fonts-wqy-zenhei", "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc")),
]}


@dataclass(frozen=True)
class Style:
    name: str                  # directory name shown in the style list
    prefix: str                # three ASCII letters: files <prefix>1.dat .. <prefix>3.dat
    fonts: tuple[str, str, str]  # source keys for surname, middle, last character

    @property
    def chinese(self) -> bool:
        return "英文签" not in self.name


STYLES = [
    # Default: a bold running-hand surname, a legible brush middle, a flowing cursive last.
    Style("公文签", "gwq", ("ZhiMangXing", "MaShanZheng", "LiuJianMaoCaoBold")),
    Style("毛体", "mti", ("LiuJianMaoCaoBold", "LiuJianMaoCaoBold", "LiuJianMaoCaoBold")),
    Style("行书签", "xsq", ("ZhiMangXing", "ZhiMangXing", "ZhiMangXing")),
    Style("楷书签", "ksq", ("LXGWWenKaiBold", "LXGWWenKai", "LXGWWenKai")),
    # The program draws the three parts apart, so the letters need not join across them;
    # they must match in weight and x-height.
    Style("英文签", "ywq", ("GreatVibes", "AlexBrush", "AlexBrush")),
    Style("英文签-花体", "hty", ("PinyonScript", "Allura", "Allura")),
]

# Single faces of fonts/电脑字/: (display name, face name, source key).
SINGLE_FACES = [
    ("楷体", "KaiTi", "ARPLKaitiMGB"),
    ("行楷", "XingKai", "ZhiMangXing"),
    ("黑体", "HeiTi", "WenQuanYiZenHei"),
    ("手写体", "ShouXie", "LXGWWenKai"),
]


@dataclass(frozen=True)
class SealFace:
    display: str
    face: str
    relief: bool               # red strokes in an outline frame; else white on a filled one
    outlines: tuple[str, ...]  # source keys of the faces cut, the first that draws a character


# The seal faces of fonts/电脑字/, cut at build time (seal_face.py).
SEAL_FACES = [
    SealFace("篆印体", "ZhuanYin", True, ("WenQuanYiZenHei", "LXGWWenKai")),
    SealFace("篆印体-阴文", "ZhuanYinYinWen", False, ("WenQuanYiZenHei", "LXGWWenKai")),
]

# The common compound surnames, in the order the table lists them.
COMPOUND_SURNAMES = """
欧阳 司马 上官 诸葛 东方 皇甫 尉迟 公孙 慕容 长孙 宇文 司徒 司空 夏侯 轩辕 令狐 钟离 闻人
端木 南宫 独孤 百里 西门 呼延 万俟 澹台 公冶 宗政 濮阳 淳于 单于 太叔 申屠 仲孙 赫连 乐正
东郭 南门 羊舌 微生 公羊 梁丘 左丘 东门 拓跋 夹谷 宰父 谷梁 段干 巫马 公良 漆雕 壤驷 公西
颛孙 子车 亓官 司寇 鲜于 闾丘 第五 东野
""".split()

# Backgrounds: file name and generator kind. The second file in name order is the default.
BACKGROUNDS = [
    ("01-米黄纸.png", "plain"),
    ("02-宣纸.png", "rice"),
    ("03-水墨.png", "ink"),
    ("04-红格纸.png", "grid"),
    ("05-洒金笺.png", "gold"),
]
BACKGROUND_SIZE = (776, 522)   # twice the 388 x 261 canvas


# What one installation may weigh: the hanzi brush fonts run to 4-6 MB each even when cut
# down to GB2312, and eighteen of them are shipped.
FONT_BUDGET = 6 * 1024 * 1024
TOTAL_BUDGET = 80 * 1024 * 1024
