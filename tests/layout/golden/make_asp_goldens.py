#!/usr/bin/env python3
"""Writes the expected bytes of KwStyles.asp, LayoutSettings.asp and
rollover.asp for the default and the changed layout.

The tables below are transcribed from the written description of the ASP
settings scripts (line prefixes, keys, value forms, model fields), so that a
reviewer can check the transcription line by line.  Nothing is taken from the
program's implementation or its output.  In the prefixes "\t" is a tab and
"\"" a quote mark, exactly as in the description's quoted texts.

Run:  python3 -B make_asp_goldens.py     (from any directory)
"""
import os
import sys

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import golden_model as gm  # noqa: E402

EOL = "\r\n"
HEADER = "<SCRIPT LANGUAGE=VBScript RUNAT=Server>" + EOL + EOL
TRAILER = "end sub" + EOL + EOL + "</SCRIPT>" + EOL


# ---------------------------------------------------------------- value forms
def v_switch(v):
    return "true" if v else "false"


def v_quoted_switch(v):
    return '"true"' if v is True or v == 1 else '"false"'


def v_colour(c):
    return '"%s"' % c


def v_picture(name):
    return '"../images/company/%s"' % name if name else '""'


def v_bullet(name):
    return '"../../images/company/%s"' % name if name else '""'


def border_style(s):
    return "none" if s in ("", "true", "false") else s


def v_border(s):
    return '"%s"' % border_style(s)


TURN_OVER = {"groove": "ridge", "ridge": "groove",
             "inset": "outset", "outset": "inset"}


def v_border_clicked(s):
    s = border_style(s)
    return '"%s"' % TURN_OVER.get(s, s)


def built(key, value):
    """A built line: tab, Application("key"), two tabs, blank, =, blank, value."""
    return '\tApplication("' + key + '")\t\t = ' + value + EOL


# ------------------------------------------------------------- KwStyles.asp
# Lines 1 to 22: (prefix exactly as in the description, value form, field).
# Value forms: "switch", "colour" / "qswitch" (prefix already holds the
# opening quote; a closing quote follows the value), "built" (line 17).
# Field sources: ("switch", name), ("page", name).
KWSTYLES_FIXED = [
    ("\tApplication(\"g_bShowInfoBar\")\t\t = ", "switch", ("switch", "showInfoBar")),
    ("\tApplication(\"g_bShowLogo\")\t\t\t = ", "switch", ("switch", "showLogo")),
    ("\tApplication(\"g_bShowWelcomeText\")\t = ", "switch", ("switch", "showWelcome")),
    ("\tApplication(\"g_bShowAppInfo\")\t = ", "switch", ("switch", "showAppInfoBar")),
    ("\tApplication(\"g_bShowCornerImage\")\t = ", "switch", ("switch", "showPicture")),
    ("\tApplication(\"g_bSecLevNavRight\")\t = ", "switch", ("switch", "menuRight")),
    ("\tApplication(\"g_bTreeNavigation\")\t = ", "switch", ("switch", "useTreeMenu")),
    ("\tApplication(\"g_bEnableGlobalSearch\") = ", "switch", ("switch", "enableGlobalSearch")),
    ("\tApplication(\"g_bEnableAppSearch\") = ", "switch", ("switch", "enableAppSearch")),
    ("\tApplication(\"g_bEnableAppSearchAno\") = ", "switch", ("switch", "enableAppSearchAno")),
    ("\tApplication(\"g_bEnableEmplSearch\") = ", "switch", ("switch", "enableEmplSearch")),
    ("\tApplication(\"g_bEnableEmplSearchAno\") = ", "switch", ("switch", "enableEmplSearchAno")),
    ("\tApplication(\"g_colEntryBackground\")\t = \"", "colour", ("page", "entryBackgroundColor")),
    ("\tApplication(\"g_colEntryForeground\")\t = \"", "colour", ("page", "entryForegroundColor")),
    ("\tApplication(\"g_colEntrySelectionBackground\")\t = \"", "colour", ("page", "entrySelectionBackgroundColor")),
    ("\tApplication(\"g_colEntrySelectionForeground\")\t = \"", "colour", ("page", "entrySelectionForegroundColor")),
    ("g_strUrlRequiredImagePath", "built", ("page", "requiredImage")),
    ("\tApplication(\"g_colFirstRowColor\")\t = \"", "colour", ("page", "firstRowColor")),
    ("\tApplication(\"g_colSecondRowColor\")\t = \"", "colour", ("page", "secondRowColor")),
    ("\tApplication(\"g_colPortletFirstRowColor\")\t = \"", "colour", ("page", "portletFirstRowColor")),
    ("\tApplication(\"g_colPortletSecondRowColor\")\t = \"", "colour", ("page", "portletSecondRowColor")),
    ("\tApplication(\"g_bShowPortletShadow\")\t = \"", "qswitch", ("page", "showPortletShadow")),
]

# Menu blocks: key (TL form), value form, field of the menu region.
# "TL AL" marks the between-link picture (TL and AL only); "SL" marks the
# four tree pictures, which the SL block has at its end.
MENU_BLOCK = [
    ("g_bShowButtonTLEffect", "switch", "showButtonEffect", "all"),
    ("g_FieldOnMouseOverBorderTLColor", "colour", "focusBorderColor", "all"),
    ("g_FieldOnMouseOverTLColor", "colour", "focusColor", "all"),
    ("g_FieldOnMouseOutBorderTLColor", "colour", "backgroundColor", "all"),
    ("g_FieldOnMouseOutTLColor", "colour", "backgroundColor", "all"),
    ("g_FieldClickedBorderTLColor", "colour", "clickBorderColor", "all"),
    ("g_FieldClickedTLColor", "colour", "clickColor", "all"),
    ("g_strTLBorderStyle", "border", "borderStyle", "all"),
    ("g_strTLBorderStyleClicked", "border_clicked", "borderStyle", "all"),
    ("g_strImageOnMouseOverTLPath", "picture", "buttonImageMouse", "all"),
    ("g_strImageOnMouseOutTLPath", "picture", "buttonImageNormal", "all"),
    ("g_strImageClickedTLPath", "picture", "buttonImageSelect", "all"),
    ("g_bShowImageBeforeTLLink", "switch_nonempty", "itemImage", "all"),
    ("g_strImageBeforeLinkTLPath", "picture", "itemImage", "all"),
    ("g_strImageBetweenLinkTLPath", "picture", "separatorImage", "TL AL"),
    ("g_strImage_TopBase", "picture", "closeLeafsImage", "SL"),
    ("g_strImage_Plus", "picture", "closedLeafImage", "SL"),
    ("g_strImage_Minus", "picture", "openLeafImage", "SL"),
    ("g_strImage_Key", "picture", "loginButtonImage", "SL"),
]
MENU_LEVELS = [("TL", "KwRootNavigate"), ("SL", "KwNavigate"),
               ("AL", "KwStartNavigate")]

# After the three blocks: key, value form, page field.
KWSTYLES_TAIL = [
    ("g_strBigBulletPath", "bullet", "bulletBigPath"),
    ("g_strSmallBulletPath", "bullet", "bulletSmallPath"),
    ("g_colBackground", "colour", "backgroundColor"),   # of KwApplication
]

FORMS = {
    "switch": v_switch,
    "colour": v_colour,
    "picture": v_picture,
    "bullet": v_bullet,
    "border": v_border,
    "border_clicked": v_border_clicked,
    "switch_nonempty": lambda s: v_switch(s != ""),
}


def kwstyles(layout):
    page = layout["page"]
    out = [HEADER, "sub SetKwStyles()" + EOL]
    for prefix, form, (src, field) in KWSTYLES_FIXED:
        value = layout["switches"][field] if src == "switch" else page[field]
        if form == "switch":
            out.append(prefix + v_switch(value) + EOL)
        elif form == "colour":
            out.append(prefix + value + '"' + EOL)
        elif form == "qswitch":
            out.append(prefix + ("true" if value is True or value == 1
                                 else "false") + '"' + EOL)
        elif form == "built":
            out.append(built(prefix, v_picture(value)))
        else:
            raise ValueError(form)
    for level, region in MENU_LEVELS:
        rec = layout["regions"][region]
        for key, form, field, where in MENU_BLOCK:
            if where == "SL" and level != "SL":
                continue
            if where == "TL AL" and level == "SL":
                continue
            out.append(built(key.replace("TL", level), FORMS[form](rec[field])))
    for key, form, field in KWSTYLES_TAIL:
        value = (layout["regions"]["KwApplication"][field]
                 if field == "backgroundColor" else page[field])
        out.append(built(key, FORMS[form](value)))
    out.append(TRAILER)
    return "".join(out)


# ------------------------------------------------------- LayoutSettings.asp
LAYOUT_SETTINGS = [
    ("\tApplication(\"g_bShowInfoFav\") = ", "KwRootTop"),
    ("\tApplication(\"g_bShowSecondLevelFav\") = ", "KwNavigate"),
]


def layout_settings(layout):
    out = [HEADER, "sub SetLayoutSettings()" + EOL]
    for prefix, region in LAYOUT_SETTINGS:
        out.append(prefix + v_switch(layout["regions"][region]["showFavorites"]) + EOL)
    out.append(TRAILER)
    return "".join(out)


# -------------------------------------------------------------- rollover.asp
# group name: (_MouseIn, _MouseOut, _Clicked), each (source, field);
# source is a region name or "page".
ROLLOVER = [
    ("Top", (("KwRootNavigate", "hoverColor"), ("KwRootNavigate", "textColor"),
             ("KwRootNavigate", "selectedColor"))),
    ("Second", (("KwNavigate", "hoverColor"), ("KwNavigate", "textColor"),
                ("KwNavigate", "selectedColor"))),
    ("Second_Sub", (("KwNavigate", "subHoverColor"), ("KwNavigate", "subTextColor"),
                    ("KwNavigate", "subSelectedColor"))),
    ("Nav", (("KwStartNavigate", "hoverColor"), ("KwStartNavigate", "textColor"),
             ("KwStartNavigate", "selectedColor"))),
    ("App", (("page", "linkHoverColor"), ("page", "linkColor"),
             ("page", "linkColor"))),
    ("TH", (("page", "tableHeadLinkHoverColor"), ("page", "tableHeadLinkColor"),
            ("page", "tableHeadClickedColor"))),
    ("Portlet_TH", (("page", "portletLinkHoverColor"), ("page", "portletLinkColor"),
                    ("page", "portletHeaderClickedColor"))),
]
ENDINGS = ["_MouseIn", "_MouseOut", "_Clicked"]


def rollover(layout):
    out = [HEADER, "sub SetMouseOverValues()" + EOL]
    for group, sources in ROLLOVER:
        for ending, (src, field) in zip(ENDINGS, sources):
            value = (layout["page"][field] if src == "page"
                     else layout["regions"][src][field])
            out.append('Application("' + group + ending + '") = "' + value + '"' + EOL)
        out.append(EOL)
    out.append("end sub" + EOL + EOL)      # trailer, written in two pieces
    out.append("</SCRIPT>" + EOL)
    return "".join(out)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("ascii"))


def main():
    for name, make in (("default", gm.default_layout),
                       ("changed", gm.changed_layout)):
        d = os.path.join(HERE, name)
        write(os.path.join(d, "KwStyles.asp"), kwstyles(make()))
        write(os.path.join(d, "LayoutSettings.asp"), layout_settings(make()))
        write(os.path.join(d, "rollover.asp"), rollover(make()))


if __name__ == "__main__":
    main()
