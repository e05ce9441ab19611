# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the sample installation holds: source fonts, styles, single faces, surnames, pictures.

Everything the assembler builds is described here, so choosing another font for a style or
adding a surname is an edit of this file only.
"""

from dataclasses import dataclass


@dataclass(frozen=True)
class NpmSource:
    package_ref: str            # package@version, fetched with `npm pack`
    sha256: str          # of the packed tarball
    font: str            # member path of the font inside the tarball; with "*", the pieces of a
                         # web font split by character range, merged back into one font
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
    # Where a Chinese face's missing characters come from: the one closest in weight. LXGW
    # WenKai holds every character a name needs, in three weights, and its licence (OFL)
    # lets it merge into the OFL faces.
    fill: tuple[str, ...] = ("LXGWWenKaiLight", "LXGWWenKai", "LXGWWenKaiBold")


NPM = "@expo-google-fonts/"

SOURCES = {s.key: s for s in [
    Source("ZhiMangXing", "Zhi Mang Xing",
           NpmSource(NPM + "zhi-mang-xing@0.4.1",
                     "0aa2875b2e7b3722d4dc3d087971b34dd46894e9a6dcb5b70f87c3ecbb7ba02b",
                     "package/400Regular/ZhiMangXing_400Regular.ttf", "package/LICENSE_FONT")),
    # The same running hand made heavier, for a surname that stands out of the given name.
    Source("ZhiMangXingBold", "Zhi Mang Xing (thickened)",
           NpmSource(NPM + "zhi-mang-xing@0.4.1",
                     "0aa2875b2e7b3722d4dc3d087971b34dd46894e9a6dcb5b70f87c3ecbb7ba02b",
                     "package/400Regular/ZhiMangXing_400Regular.ttf", "package/LICENSE_FONT"),
           bold=18),
    Source("MaShanZheng", "Ma Shan Zheng",
           NpmSource(NPM + "ma-shan-zheng@0.4.3",
                     "9befb7ac1ef0b08c17d8e1ea322a426833e91886f30dc3fb9f993676a8ef7ac3",
                     "package/400Regular/MaShanZheng_400Regular.ttf", "package/LICENSE_FONT")),
    # A cursive hand, thickened: a bold brush for 毛体.
    Source("LiuJianMaoCaoBold", "Liu Jian Mao Cao (thickened)",
           NpmSource(NPM + "liu-jian-mao-cao@0.2.3",
                     "8ebf4d1946ae7e3bc3945148005495b86657e886491fa06b8c9eb6499010748b",
                     "package/LiuJianMaoCao_400Regular.ttf", None), bold=24),
    Source("LongCang", "Long Cang",
           NpmSource("@fontsource/long-cang@5.3.0",
                     "f37d7fc6e0ed15718e03fe9edd5f8b0117d6d011d23c15bf2d35b7b00f9c4e26",
                     "package/files/long-cang-*-400-normal.woff2", "package/LICENSE")),
    Source("ZCOOLXiaoWei", "ZCOOL XiaoWei",
           NpmSource(NPM + "zcool-xiaowei@0.4.1",
                     "5da1b0f84034ae51d00fa91a280a2a6e9c52bf51ca14f96a65ebd130a42cb241",
                     "package/400Regular/ZCOOLXiaoWei_400Regular.ttf", "package/LICENSE_FONT")),
    Source("ZCOOLKuaiLe", "ZCOOL KuaiLe",
           NpmSource(NPM + "zcool-kuaile@0.4.2",
                     "19fc7e2a3d69b8e27366161e36a6ead567f328131d89239572b332343e405c63",
                     "package/400Regular/ZCOOLKuaiLe_400Regular.ttf", "package/LICENSE_FONT")),
    # Apache 2.0 in its own name table (Debian offers it under the GPL 3 too); a derivative
    # may be offered under other terms, so the OFL glyphs filled in keep it one OFL font.
    Source("WenQuanYiMicroHei", "WenQuanYi Micro Hei",
           DebianSource("fonts-wqy-microhei", "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc")),
    # The seal faces' outlines: one face under one licence that draws every character a name
    # may hold, heavy enough that its strokes survive being evened.
    Source("NotoSansSCBold", "Noto Sans SC Bold",
           NpmSource(NPM + "noto-sans-sc@0.4.3",
                     "0d69d0f4971d2ff574e3d93cbc218dc950bf3f3f8f8e2c008d97687ed53aee59",
                     "package/700Bold/NotoSansSC_700Bold.ttf", "package/LICENSE_FONT")),
    Source("DancingScriptBold", "Dancing Script Bold",
           NpmSource(NPM + "dancing-script@0.4.2",
                     "b0468b3ab5c79df6ef599349a283ffd342d3caf5d7ead9a41520767499627130",
                     "package/700Bold/DancingScript_700Bold.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("DancingScript", "Dancing Script",
           NpmSource(NPM + "dancing-script@0.4.2",
                     "b0468b3ab5c79df6ef599349a283ffd342d3caf5d7ead9a41520767499627130",
                     "package/400Regular/DancingScript_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("Allura", "Allura",
           NpmSource(NPM + "allura@0.4.2",
                     "d3a0f8f13527ba24cb94e2f23a33367b5428b83304281bd0f0ea3404be57376c",
                     "package/400Regular/Allura_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("PinyonScript", "Pinyon Script",
           NpmSource(NPM + "pinyon-script@0.4.1",
                     "87015766e5ffddec3be9e20b3848b275a78420292ccf6fb835a7fd8491fdfa7c",
                     "package/400Regular/PinyonScript_400Regular.ttf", "package/LICENSE_FONT"),
           latin=True),
    Source("LXGWWenKai", "LXGW WenKai",
           DebianSource("fonts-lxgw-wenkai",
                        "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf")),
    Source("LXGWWenKaiLight", "LXGW WenKai Light",
           DebianSource("fonts-lxgw-wenkai",
                        "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Light.ttf")),
    Source("LXGWWenKaiBold", "LXGW WenKai Bold",
           DebianSource("fonts-lxgw-wenkai",
                        "/usr/share/fonts/truetype/lxgw-wenkai/LXGWWenKai-Bold.ttf")),
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
    # Default: a running hand, its surname thickened, as an official signs a paper.
    Style("公文签", "gwq", ("ZhiMangXingBold", "ZhiMangXing", "ZhiMangXing")),
    Style("毛体", "mti", ("LiuJianMaoCaoBold", "LiuJianMaoCaoBold", "LiuJianMaoCaoBold")),
    Style("行书签", "xsq", ("LongCang", "LongCang", "LongCang")),
    Style("楷书签", "ksq", ("MaShanZheng", "MaShanZheng", "MaShanZheng")),
    # The program draws the three parts apart, so the letters need not join across them;
    # they must match in weight and x-height. One upright hand, one flourished.
    Style("英文签", "ywq", ("DancingScriptBold", "DancingScript", "DancingScript")),
    Style("英文签-花体", "hty", ("PinyonScript", "Allura", "Allura")),
]

# Single faces of fonts/电脑字/: (display name, face name, source key).
SINGLE_FACES = [
    ("楷体", "KaiTi", "LXGWWenKai"),
    ("雅宋", "YaSong", "ZCOOLXiaoWei"),
    ("黑体", "HeiTi", "WenQuanYiMicroHei"),
    ("快乐体", "KuaiLe", "ZCOOLKuaiLe"),
]


@dataclass(frozen=True)
class SealFace:
    display: str
    face: str
    relief: bool               # red strokes in an outline frame; else white on a filled one
    outlines: tuple[str, ...]  # source keys of the faces cut, the first that draws a character


# The seal faces of fonts/电脑字/, cut at build time (seal_face.py).
SEAL_FACES = [
    SealFace("篆印体", "ZhuanYin", True, ("NotoSansSCBold",)),
    SealFace("篆印体-阴文", "ZhuanYinYinWen", False, ("NotoSansSCBold",)),
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
