// Sample.cs: C# through the C-family table.
using System;

namespace Demo
{
    public abstract class Shape
    {
        public event EventHandler Changed;
        internal virtual double Area { get { return 0.0; } }
        public override string ToString() => $"Shape {Area}";
    }

    delegate void Notify(string message);

    #region Helpers
    static class Helpers { const int Max = 0x7fffffff; /* inline */ }
    #endregion
}
