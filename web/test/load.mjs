// The built module, from the folder the web build stages (MOLVEX_WEB_SITE).
import path from "node:path";
import { pathToFileURL } from "node:url";

export const site = process.env.MOLVEX_WEB_SITE;
if (!site)
  throw new Error("MOLVEX_WEB_SITE must name the staged web edition (build/web/site)");
export const molvex2 = await import(pathToFileURL(path.join(site, "molvex2.js")).href);
