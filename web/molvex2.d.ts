// Typings of the Molvex 2 module (molvex2.js + molvex2.wasm). Every function is
// synchronous once the module has been imported; bad input throws an Error (a TypeError
// or RangeError for the wrong type or a text that is too large) and leaves the module
// usable.

/** Equation options by their names in MLV2.ini, section [Options]. A value outside an
 *  option's range is replaced as when the file is read. Missing options keep their
 *  defaults. */
export interface Molvex2Options {
  /** Equilibrium-arrow style: 0 half heads, 1 full heads, 2 double with half heads, 3 double with flat heads. */
  EquilibriumArrow?: number;
  /** Default arrow width, in character heights. */
  ArrowWidth?: number;
  LevelArrow?: number;
  LevelSuper?: number;
  LevelSub?: number;
  LevelPhase?: number;
  TextArrow?: number;
  TextSuper?: number;
  TextSub?: number;
  TextPhase?: number;
  ItalicPhase?: boolean | number;
  VerticalSpacing?: number;
  /** The font record's text form, as in MLV2.ini: thirteen LOGFONT numbers, colour,
   *  HIMETRIC height, face name; for example "-14,0,0,0,400,0,0,0,0,7,48,2,2,0,400,Arial". */
  Font?: string;
}

export interface Molvex2Picture {
  /** A standalone SVG document: black on transparent, role="img", title and description. */
  svg: string;
  width: number;
  height: number;
  /** How far below the text baseline the picture's bottom lies, for inline placement. */
  lowering: number;
}

export type Molvex2Verdict = "balanced" | "not balanced" | "cannot check";

export interface Molvex2LineVerdict {
  /** 1-based line number. */
  line: number;
  verdict: Molvex2Verdict;
  /** As molvex2-render --check words it: "balanced", "not balanced: O 4 → 3". */
  message: string;
}

export interface Molvex2Check {
  /** The worst verdict of all lines; "none" when no line has an arrow. */
  verdict: Molvex2Verdict | "none";
  lines: Molvex2LineVerdict[];
}

export interface Molvex2Hint {
  line: number;
  message: string;
}

export type Molvex2Format = "text" | "speech" | "mathml" | "mhchem" | "starmath";

/** One equation (up to 20 lines, separated by line breaks) as an SVG picture. */
export function renderSvg(text: string, options?: Molvex2Options): Molvex2Picture;
/** The balance of every line that has an arrow. */
export function check(text: string): Molvex2Check;
/** Readings the writer may not have meant, with the remedy. */
export function hints(text: string): Molvex2Hint[];
/** The equation written out: Unicode text, speech, MathML, mhchem (one \ce per line) or a LibreOffice Math formula. */
export function format(text: string, kind: Molvex2Format, options?: Molvex2Options): string;
/** How one line is read: classes and display codes, in numbers and words, and hints. */
export function explain(text: string): string;
/** Every option's value in MLV2.ini's text form, after bringing the given ones into range. */
export function options(options?: Molvex2Options): Record<keyof Molvex2Options, string>;

declare const molvex2: {
  renderSvg: typeof renderSvg;
  check: typeof check;
  hints: typeof hints;
  format: typeof format;
  explain: typeof explain;
  options: typeof options;
};
export default molvex2;
