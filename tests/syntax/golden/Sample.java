/**
 * Sample.java: Java words share the C-family table.
 */
package demo;

import java.util.List;

public final class Sample extends Base implements Runnable {
    private static final long SERIAL = 42L;
    private synchronized boolean check(Object o) throws Exception {
        assert o != null : "null";
        return o instanceof Sample && super.equals(o);
    }
    public native void run(); // native byte strictfp
    char c = 'x'; String s = "it's";
}
